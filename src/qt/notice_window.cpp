#include "qt/notice_window.h"
#include "app/kaloload.h"

#include <QLabel>

namespace qt {

NoticeWindow::NoticeWindow(app::KaloLoad& form)
    : FormWindow(form.window, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    const auto& L = app::layout::NOTICE;
    QFont verdana("Verdana", 11, QFont::Bold);
    for (auto [text, place] :
         {std::pair{&form.Label1, L.Label1}, std::pair{&form.Label2, L.Label2}})
        controls().label(*text, place, Qt::AlignHCenter)->setFont(verdana);
    setClientSize(pixelsOf(L.client).size());
    setStyleSheet("qt--NoticeWindow { border: 2px outset palette(mid); }");
    bindModel();
}

} // namespace qt
