#pragma once

#include "model/drivelistmodel.h"
#include "model/filelistmodel.h"
#include "model/folderlistmodel.h"
#include "model/gaugemodel.h"
#include "model/listmodel.h"
#include "model/textmodel.h"

namespace orvane {

// The main window's state, by its controls' names: what the handlers edit and the window
// shows.
struct FormModel
{
    // The play queue, head first: full paths.
    ListModel lstMusicQ;
    // The music files of the current folder.
    FileListModel File1;
    // The current folder.
    FolderListModel Dir1;
    // The drives.
    DriveListModel Drive1;
    // The file types.
    ListModel cboFileType;
    // Now playing: the track's short name, its length as mm:ss, and its progress.
    TextModel txtPlaying;
    TextModel txtLength;
    GaugeModel Gauge1;
    // The window has unloaded: a handler that waited must not go on.
    bool unloaded = false;
};

} // namespace orvane
