// The behaviour table's driver for the Qt window, on Qt's offscreen
// platform: handlers run as the window's own signals run them, clicks and
// keys through QTest, drops as the window system delivers them.
#include "WindowDriver.h"

#include "Accessibility.h"
#include "Application.h"
#include "PaintedColours.h"
#include "DirectoryListBox.h"
#include "FormLayout.h"
#include "WindowTestSupport.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace vorsa::testing
{
namespace
{

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

class QtWindowDriver : public WindowDriver
{
public:
    QtWindowDriver()
    {
        form_.probe = [this](int call) {
            if (probe)
                probe(call);
        };
        dialogs_.onMessage = [this](const RecordedMessage &shown) {
            messages.push_back(
                {shown.caption.toStdString(), shown.text.toStdString(), shown.error});
        };
        form_.show();
        // Active, as the user's window is: keyboard shortcuts go to the active window only.
        form_.activateWindow();
        if (!QTest::qWaitForWindowActive(&form_))
            ADD_FAILURE() << "the window did not become active";
        browser_.onOpen = [this](const QUrl &address) {
            openedAddresses.push_back(address.toString().toStdString());
        };
        ui::SetAnnouncementHook([this](const QAccessibleEvent &event) {
            if (event.object() == &Control("Label7") &&
                (event.type() == QAccessible::ValueChanged ||
                 event.type() == QAccessible::NameChanged))
                ++statusAnnouncements_;
        });
    }
    ~QtWindowDriver() override
    {
        ui::SetAnnouncementHook(nullptr);
        QApplication::setPalette(standardPalette_);
    }
    QtWindowDriver(const QtWindowDriver &) = delete;
    QtWindowDriver &operator=(const QtWindowDriver &) = delete;

    std::string Text(TextControl control) const override { return form_.Text(control); }
    std::vector<std::string> Captions() const override
    {
        std::vector<std::string> captions;
        for (const QString &caption : vorsa::testing::Captions(form_))
            captions.push_back(caption.toStdString());
        return captions;
    }
    std::vector<bool> Ticks() const override
    {
        std::vector<bool> ticks;
        for (const bool ticked : vorsa::testing::Ticks(form_))
            ticks.push_back(ticked);
        return ticks;
    }
    int Progress() const override { return Control<QProgressBar>("ProgressBar1").value(); }
    bool StopEnabled() const override { return Control("Button1").isEnabled(); }
    bool OpenEnabled() const override { return Control("ToolButton1").isEnabled(); }
    bool ExtractEnabled() const override { return Control("ToolButton2").isEnabled(); }
    bool Running() const override { return form_.ExtractionRunning(); }
    bool Shown() const override { return form_.isVisible(); }

    void Open(const std::optional<std::string> &answer) override
    {
        dialogs_.openAnswers = {answer ? Q(*answer) : QString()};
        const qsizetype before = dialogs_.openInitialNames.size();
        RunHandler(form_, "ToolButton1Click");
        for (qsizetype i = before; i < dialogs_.openInitialNames.size(); ++i) {
            openInitialNames.push_back(dialogs_.openInitialNames[i].toStdString());
            openFilters.push_back(dialogs_.openFilters[i].toStdString());
        }
    }
    bool Drop(const std::vector<std::string> &names) override
    {
        QList<QUrl> urls;
        for (const std::string &name : names)
            urls.append(LocalUrl(name));
        return DropUrls(form_, urls);
    }
    void LoadNamed(const std::string &name) override
    {
        form_.PostNamedFile(Q(name));
        QCoreApplication::processEvents();
    }
    void SetTick(int index, bool ticked) override
    {
        Control<QTreeWidget>("ListView1")
            .topLevelItem(index)
            ->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }
    void TickAll() override { QTest::mouseClick(&Control("ToolButton3"), Qt::LeftButton); }
    void UntickAll() override { QTest::mouseClick(&Control("ToolButton4"), Qt::LeftButton); }
    void SetPrefix(const std::string &prefix) override
    {
        auto &edit = Control<QLineEdit>("Edit1");
        edit.clear();
        // Keys for ASCII; what lies beyond it (kanji) comes as text, as an
        // input method commits it: QTest has no key for such a character.
        // A surrogate pair comes as one character.
        const QString text = Q(prefix);
        for (qsizetype at = 0; at < text.size(); ++at) {
            if (text[at].unicode() < 0x80) {
                QTest::keyClick(&edit, text[at].toLatin1());
                continue;
            }
            const qsizetype length = text[at].isHighSurrogate() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, text.mid(at, length),
                                Qt::NoModifier);
            at += length - 1;
        }
    }
    void ShowFolder(const std::string &folder) override { FolderList().ShowDirectory(Q(folder)); }
    void OpenFolderEntry(const std::string &path) override
    {
        // Folders as Qt writes them: "/" alone for the root.
        QString entry = Q(path);
        if (entry.size() > 1 && entry.endsWith(QLatin1Char('/')))
            entry.chop(1);
        vorsa::testing::OpenFolderEntry(form_, entry);
    }
    void Extract() override { RunHandler(form_, "ToolButton2Click"); }
    void Stop() override { QTest::mouseClick(&Control("Button1"), Qt::LeftButton); }
    bool Close() override { return form_.close(); }
    void RunPending() override
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void TypeInFolderList(const std::string &letters) override
    {
        FolderList().setFocus();
        QTest::keyClicks(&FolderList(), Q(letters));
    }
    std::optional<bool> QueryEndSession() override { return std::nullopt; }
    void EndSession() override {}
    std::string SelectedFolderEntry() const override
    {
        return ui::DirectoryListBox::EntryPath(FolderList().currentItem()).toStdString();
    }

    ScreenLayout Layout() const override
    {
        const auto rect = [](const QRect &r) {
            return ui::Rect{r.x(), r.y(), r.width(), r.height()};
        };
        ScreenLayout layout;
        layout.layoutDpi = form_.LayoutDpi();
        layout.workArea = rect(form_.screen()->availableGeometry());
        layout.frame = rect(form_.frameGeometry());
        layout.client = rect(QRect(form_.mapToGlobal(QPoint(0, 0)), form_.size()));
        layout.fixedSize = form_.minimumSize() == form_.maximumSize() &&
                           !(form_.windowFlags() & Qt::WindowMaximizeButtonHint);
        for (const ui::ControlDesign &design : ui::kForm) {
            const QWidget &control = ui::ControlOf(form_, design.control);
            layout.controls.emplace_back(
                design.control, rect(QRect(control.mapTo(&form_, QPoint(0, 0)), control.size())));
        }
        return layout;
    }
    // Qt's coordinates scale with the screen: its dpi, in them, is the design's.
    bool MoveToDpi(int dpi) override { return dpi == ui::kDesignDpi; }

    // ---- as a screen reader, the keyboard and the eye meet it ----
    Heard Hear(ui::Control control) const override
    {
        QAccessibleInterface *heard =
            QAccessible::queryAccessibleInterface(&ui::ControlOf(form_, control));
        if (!heard)
            return {};
        Heard result{.name = heard->text(QAccessible::Name).toStdString(),
                     .role = RoleOf(heard->role()),
                     .value = heard->text(QAccessible::Value).toStdString(),
                     .keys = heard->text(QAccessible::Description).toStdString(),
                     .focusable = heard->state().focusable != 0};
        if (QAccessibleValueInterface *value = heard->valueInterface())
            result.value = value->currentValue().toString().toStdString();
        return result;
    }
    std::vector<HeardTrack> HearTracks() const override
    {
        std::vector<HeardTrack> tracks;
        QAccessibleInterface *list =
            QAccessible::queryAccessibleInterface(&ui::ControlOf(form_, ui::Control::ListView1));
        for (int i = 0; list && i < list->childCount(); ++i) {
            const QAccessibleInterface *track = list->child(i);
            const QAccessible::State state = track->state();
            tracks.push_back({.name = track->text(QAccessible::Name).toStdString(),
                              .checkBox = track->role() == QAccessible::CheckBox || state.checkable,
                              .checked = state.checked != 0});
        }
        return tracks;
    }
    int StatusAnnouncements() const override { return statusAnnouncements_; }
    std::vector<ui::Control> TabCycle() override
    {
        QWidget &start = ui::ControlOf(form_, ui::Control::ListView1);
        start.setFocus();
        std::vector<ui::Control> cycle;
        for (int step = 0; step < 40; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const std::optional<ui::Control> focused = DesignControlOf(QApplication::focusWidget());
            if (!focused || *focused == ui::Control::ListView1)
                break;
            cycle.push_back(*focused);
        }
        return cycle;
    }
    void PressOn(ui::Control control, char key) override
    {
        QWidget &target = ui::ControlOf(form_, control);
        // An open drop-down has the keyboard, as the window system gives it.
        QWidget *receiver = QApplication::activePopupWidget();
        if (!receiver) {
            target.setFocus();
            receiver = &target;
        }
        const Qt::Key code = key == '\r'          ? Qt::Key_Return
                             : key == ui::kEscape ? Qt::Key_Escape
                                                  : Qt::Key_Space;
        QTest::keyClick(receiver, code);
    }
    void DropDriveList(bool dropped) override
    {
        auto &drives = Control<QComboBox>("DriveComboBox1");
        if (dropped)
            drives.showPopup();
        else
            drives.hidePopup();
    }
    bool DriveListDropped() const override
    {
        return Control<QComboBox>("DriveComboBox1").view()->isVisible();
    }
    bool UseTheme(Theme theme) override
    {
        QApplication::setPalette(theme == Theme::Dark           ? DarkPalette()
                                 : theme == Theme::HighContrast ? HighContrastPalette()
                                                                : standardPalette_);
        return true;
    }
    Painted PaintedColours(ui::Control control, bool selectedEntry) override
    {
        QWidget &widget = ui::ControlOf(form_, control);
        QImage image;
        if (selectedEntry) {
            auto &list = static_cast<QAbstractItemView &>(widget);
            if (!list.currentIndex().isValid())
                list.setCurrentIndex(list.model()->index(0, 0));
            list.selectionModel()->select(list.currentIndex(), QItemSelectionModel::Select);
            image = list.viewport()->grab(list.visualRect(list.currentIndex())).toImage();
        } else if (control == ui::Control::GroupBox1) {
            // The caption alone, above the controls in the group.
            const int below = ui::ControlOf(form_, ui::Control::Label7).y();
            image = widget.grab(QRect(0, 0, widget.width(), below)).toImage();
        } else {
            image = widget.grab().toImage();
        }
        std::vector<ui::Colour> pixels;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                pixels.push_back({static_cast<unsigned char>(colour.red()),
                                  static_cast<unsigned char>(colour.green()),
                                  static_cast<unsigned char>(colour.blue())});
            }
        }
        return PaintedFrom(pixels);
    }

private:
    static HeardRole RoleOf(QAccessible::Role role)
    {
        switch (role) {
        case QAccessible::PushButton:
            return HeardRole::PushButton;
        case QAccessible::StaticText:
            return HeardRole::Label;
        case QAccessible::EditableText:
            return HeardRole::Edit;
        case QAccessible::ComboBox:
            return HeardRole::ComboBox;
        case QAccessible::List:
        case QAccessible::Tree:
        case QAccessible::Table:
            return HeardRole::List;
        case QAccessible::ProgressBar:
            return HeardRole::ProgressBar;
        case QAccessible::Link:
            return HeardRole::Link;
        case QAccessible::Grouping:
            return HeardRole::Group;
        case QAccessible::ToolBar:
            return HeardRole::ToolBar;
        default:
            return HeardRole::Other;
        }
    }
    // The control of the design that `widget` is or lies in.
    std::optional<ui::Control> DesignControlOf(const QWidget *widget) const
    {
        for (; widget && widget != &form_; widget = widget->parentWidget()) {
            for (const ui::ControlDesign &design : ui::kForm) {
                if (widget->objectName() ==
                    QString::fromUtf8(design.name.data(),
                                      static_cast<qsizetype>(design.name.size())))
                    return design.control;
            }
        }
        return std::nullopt;
    }
    // qt6ct's "darker" scheme, as a dark desktop theme gives it.
    static QPalette DarkPalette()
    {
        QPalette dark(QColor(0x42, 0x42, 0x45), QColor(0x22, 0x20, 0x20));
        const std::pair<QPalette::ColorRole, QColor> roles[] = {
            {QPalette::WindowText, Qt::white},
            {QPalette::Text, Qt::white},
            {QPalette::ButtonText, Qt::white},
            {QPalette::Base, QColor(0x3d, 0x3d, 0x3d)},
            {QPalette::Highlight, QColor(0x12, 0x60, 0x8a)},
            {QPalette::HighlightedText, QColor(0xf9, 0xf9, 0xf9)},
            {QPalette::AlternateBase, QColor(0x5c, 0x5b, 0x5a)}};
        for (const auto &[role, colour] : roles)
            dark.setColor(role, colour);
        return dark;
    }
    // White on black, the selection black on cyan, as Windows' contrast themes.
    static QPalette HighContrastPalette()
    {
        QPalette contrast(Qt::black, Qt::black);
        const std::pair<QPalette::ColorRole, QColor> roles[] = {
            {QPalette::WindowText, Qt::white},   {QPalette::Text, Qt::white},
            {QPalette::ButtonText, Qt::white},   {QPalette::Base, Qt::black},
            {QPalette::Highlight, Qt::cyan},     {QPalette::HighlightedText, Qt::black},
            {QPalette::AlternateBase, Qt::black}};
        for (const auto &[role, colour] : roles)
            contrast.setColor(role, colour);
        return contrast;
    }
    int statusAnnouncements_ = 0;
    QPalette standardPalette_ = QApplication::palette();
    UrlCatcher browser_;

    template <typename Widget = QWidget> Widget &Control(const char *name) const
    {
        return ControlNamed<Widget>(form_, name);
    }
    ui::DirectoryListBox &FolderList() const
    {
        return Control<ui::DirectoryListBox>("DirectoryListBox1");
    }

    DialogRecorder dialogs_;
    ProbedForm form_;
};

} // namespace

std::unique_ptr<WindowDriver> MakeWindowDriver()
{
    return std::make_unique<QtWindowDriver>();
}

} // namespace vorsa::testing

int main(int argc, char *argv[])
{
    // No display needed: the window is made, shown and driven offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    vorsa::ui::Application application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
