// The skin: the look of every window, read once at start-up from a skin file. A skin file
// (plex.urf) is a Qt style sheet in UTF-8; a relative name is looked up in the installation
// folder.
#pragma once

#include <QString>

namespace gw {

// Applies the skin file to the whole application. False, and the plain look stays, when the
// file cannot be read.
bool StartSkin(const QString& fileName);

}  // namespace gw
