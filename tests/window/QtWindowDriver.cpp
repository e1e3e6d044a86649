// The behaviour table's driver for the Qt window, on Qt's offscreen
// platform: handlers run as the window's own signals run them, clicks and
// keys through QTest, drops as the window system delivers them.
#include "WindowDriver.h"

#include "Application.h"
#include "DirectoryListBox.h"
#include "ErrorDisplay.h"
#include "WindowTestSupport.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
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
    }

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
    int Progress() const override { return form_.ProgressBar1->value(); }
    bool StopEnabled() const override { return form_.Button1->isEnabled(); }
    bool OpenEnabled() const override { return form_.ToolButton1->isEnabled(); }
    bool ExtractEnabled() const override { return form_.ToolButton2->isEnabled(); }
    bool Running() const override { return form_.ExtractionRunning(); }
    bool Shown() const override { return form_.isVisible(); }

    void Open(const std::optional<std::string> &answer) override
    {
        dialogs_.openAnswers = {answer ? Q(*answer) : QString()};
        const qsizetype before = dialogs_.openInitialNames.size();
        ui::RunShowingErrors([this] { form_.ToolButton1Click(); });
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
        form_.ListView1->topLevelItem(index)->setCheckState(0,
                                                            ticked ? Qt::Checked : Qt::Unchecked);
    }
    void TickAll() override { QTest::mouseClick(form_.ToolButton3, Qt::LeftButton); }
    void UntickAll() override { QTest::mouseClick(form_.ToolButton4, Qt::LeftButton); }
    void SetPrefix(const std::string &prefix) override
    {
        form_.Edit1->clear();
        // Keys for ASCII; what lies beyond it (kanji) comes as text, as an
        // input method commits it: QTest has no key for such a character.
        // A surrogate pair comes as one character.
        const QString text = Q(prefix);
        for (qsizetype at = 0; at < text.size(); ++at) {
            if (text[at].unicode() < 0x80) {
                QTest::keyClick(form_.Edit1, text[at].toLatin1());
                continue;
            }
            const qsizetype length = text[at].isHighSurrogate() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, form_.Edit1, Qt::Key_unknown, text.mid(at, length),
                                Qt::NoModifier);
            at += length - 1;
        }
    }
    void ShowFolder(const std::string &folder) override
    {
        form_.DirectoryListBox1->ShowDirectory(Q(folder));
    }
    void OpenFolderEntry(const std::string &path) override
    {
        // Folders as Qt writes them: "/" alone for the root.
        QString entry = Q(path);
        if (entry.size() > 1 && entry.endsWith(QLatin1Char('/')))
            entry.chop(1);
        vorsa::testing::OpenFolderEntry(form_, entry);
    }
    void Extract() override
    {
        ui::RunShowingErrors([this] { form_.ToolButton2Click(); });
    }
    void Stop() override { QTest::mouseClick(form_.Button1, Qt::LeftButton); }
    bool Close() override { return form_.close(); }
    void RunPending() override
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void TypeInFolderList(const std::string &letters) override
    {
        form_.DirectoryListBox1->setFocus();
        QTest::keyClicks(form_.DirectoryListBox1, Q(letters));
    }
    std::optional<bool> QueryEndSession() override { return std::nullopt; }
    void EndSession() override {}
    std::string SelectedFolderEntry() const override
    {
        return ui::DirectoryListBox::EntryPath(form_.DirectoryListBox1->currentItem())
            .toStdString();
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
            const QWidget *control = form_.ControlWidget(design.control);
            layout.controls.emplace_back(
                design.control, rect(QRect(control->mapTo(&form_, QPoint(0, 0)), control->size())));
        }
        return layout;
    }
    // Qt's coordinates scale with the screen: its dpi, in them, is the design's.
    bool MoveToDpi(int dpi) override { return dpi == ui::kDesignDpi; }

private:
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
