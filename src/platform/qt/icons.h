#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace orvane {

// The program's own pictures, drawn as SVG in the resources.
namespace icons {
inline const QString kWindow = QStringLiteral(":/icons/orvane.svg");
inline const QString kVolume = QStringLiteral(":/icons/volume.svg");
inline const QString kNotes = QStringLiteral(":/icons/notes.svg");
inline const QString kSpeaker = QStringLiteral(":/icons/speaker.svg");
inline const QString kNext = QStringLiteral(":/icons/next.svg");
inline const QString kPlay = QStringLiteral(":/icons/play.svg");
inline const QString kPause = QStringLiteral(":/icons/pause.svg");
inline const QString kStop = QStringLiteral(":/icons/stop.svg");
inline const QString kFolderClosed = QStringLiteral(":/icons/folder-closed.svg");
inline const QString kFolderOpen = QStringLiteral(":/icons/folder-open.svg");

inline const QString kComboArrow = QStringLiteral(":/icons/combo-arrow.png");
} // namespace icons

// Registers the pictures' resources; the functions below do it themselves.
void registerPictures();

// The picture `resource` drawn `size` x `size` pixels large on a transparent background, at the
// screens' device pixel ratio.
QPixmap renderIcon(const QString& resource, int size);
// The picture `resource` as an icon of `size` x `size` pixels, sharp at any ratio.
QIcon iconOf(const QString& resource, int size);

} // namespace orvane
