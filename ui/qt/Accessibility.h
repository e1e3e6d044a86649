// What a screen reader hears of the window: each control's name from the
// design, the keys of each command, the song list's tracks as check boxes,
// the state labels' texts as their values, the link label as a link.
#pragma once

#include <functional>

class QAccessibleEvent;
class QWidget;

namespace vorsa::ui
{

// Makes Qt's accessibility ask here for the interfaces of the song list,
// the state labels and the link label. Once per process is enough; again
// does nothing.
void InstallAccessibleInterfaces();

// Names each control of `form` as the design has it spoken and tells each
// command's keys as its description.
void NameControls(QWidget &form);

// Tells a screen reader that the text of `label` changed.
void AnnounceTextChange(QWidget &label);

// The seam, as for the dialogs: Qt drops its events while no screen reader
// listens, so the hook, when set, sees each announcement as well.
using AnnouncementHook = std::function<void(const QAccessibleEvent &event)>;
void SetAnnouncementHook(AnnouncementHook hook);

} // namespace vorsa::ui
