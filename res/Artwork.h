#pragma once
// The program's pictures, painted at run time: the start-up picture (also in the About box),
// the application icon, the toolbar images (16 by 15) and the port dialog's picture and icon.

#include <QIcon>
#include <QPixmap>

namespace vorn::artwork {

QPixmap startupPicture();
QIcon applicationIcon();

enum class ToolbarImage { SelectScale, Exit, About, Cut, Copy, Paste };
QPixmap toolbarImage(ToolbarImage image);

QPixmap portPicture();
QPixmap portIcon();

}  // namespace vorn::artwork
