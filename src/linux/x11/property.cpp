#include "linux/x11/property.h"

namespace linux::x11 {

std::vector<unsigned long> propertyIds(Display* display, Window window, Atom property, Atom type,
                                       long most) {
    Atom typeFound = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, property, 0, most, False, type, &typeFound, &format, &count,
                       &after, &data);
    std::vector<unsigned long> ids;
    if (data && typeFound == type && format == 32) // 32-bit items come as longs
        ids.assign(reinterpret_cast<unsigned long*>(data),
                   reinterpret_cast<unsigned long*>(data) + count);
    if (data) XFree(data);
    return ids;
}

} // namespace linux::x11
