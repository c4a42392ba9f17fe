#pragma once
// Where things live on this system.
//   developer root  ("C:\" of the developer marker files): $PRT_DEV_ROOT, else the home folder
//   program folder  : $PRT_EXE_DIR when set (tests), else the folder of the executable
//   user data       : $LOCALAPPDATA when set, else $XDG_DATA_HOME, else ~/.local/share
//   registry stores : $XDG_CONFIG_HOME (else ~/.config) + "/PrtUtility"
// Every folder returned ends with "/".
#include <QString>

namespace prt {

QString DevRootDir();
QString ExeDir();
QString DataHomeDir();
QString ConfigHomeDir();

} // namespace prt
