#pragma once
// The destination folder chooser (dialog 109): the fixed folders and the
// author's own folders, either inside the application's install folder or
// under "My Documents". Own folders can be added, renamed (label editing,
// also started with F2; a refused name is offered again for correction)
// and deleted; they are kept in the FolderChooser's two NameLists. A double
// click on a row chooses it, as Select does.

#include <windows.h>

#include "project/settings.h"
#include "pakforge/project_names.h"

namespace pakforge {

class MessageBoxes;

/// Kinds of the chooser's rows, also its end codes.
enum ChooserRowKind : int {
  kChooserAppFolder = 1,  ///< the application folder itself (fixed)
  kChooserDocFixed = 2,   ///< a predefined folder under "My Documents"
  kChooserDocOwn = 3,     ///< an own folder under "My Documents"
  kChooserAppOwn = 4,     ///< an own folder inside the application folder
  kChooserCancelled = 5,
};

/// Runs dialog 109 modally, owned by `owner`, starting in application-folder
/// mode. Answers the kind (1 to 4) of the row chosen with Select, whose name
/// is then `chooser.result` (empty for the application folder), or 5 when
/// cancelled or closed. The own rows shown when Select is pressed, and those
/// of a mode that was left, are copied back into the NameLists. A refused
/// folder name is told through `messages`.
int ChooseDestinationFolder(HINSTANCE instance, HWND owner, FolderChooser& chooser, MessageBoxes& messages);

/// The chooser dialog while it is open (for tests), else null.
HWND OpenFolderChooser();

}  // namespace pakforge
