// The user's folders, found the XDG way.
//
// These stand in for the Windows shell folders the engine asks for: the
// documents folder (the default settings folder) and the local
// application-data folder. Results carry no trailing '/'.
#pragma once

#include <string>

namespace sys {

// $HOME, or the password database's home folder; "." when neither is known.
std::string homeFolder();

// XDG_DOCUMENTS_DIR from the environment or from the user-dirs.dirs file
// under the XDG config folder; $HOME/Documents when it is not set; $HOME when
// that folder does not exist either.
std::string documentsFolder();
// The desktop and pictures folders, found the same way (XDG_DESKTOP_DIR,
// $HOME/Desktop; XDG_PICTURES_DIR, $HOME/Pictures; else $HOME).
std::string desktopFolder();
std::string picturesFolder();

// $XDG_DATA_HOME, else $HOME/.local/share.
std::string localAppDataFolder();

}  // namespace sys
