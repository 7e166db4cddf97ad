// Memory for decoded pictures' rows.
#pragma once

namespace linux {

// From now on, the rows of a large picture lie on huge pages where the kernel offers them:
// a photograph's tens of megabytes, fresh at every change, then fault in 2 MB at a time
// rather than 4 KB, and still go back to the system when the picture goes. Called before
// any picture is made.
void putPicturesOnHugePages();

} // namespace linux
