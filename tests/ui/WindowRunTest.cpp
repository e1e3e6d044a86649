// Extraction from the Qt window, beyond the behaviours that both windows
// share (tests/window): the stop taken right after a track file is created,
// Esc for the stop button, and a drop whose posted load meets a run.
#include "Application.h"
#include "DirectoryListBox.h"
#include "DiscBuilder.h"
#include "Extraction.h"
#include "TempDir.h"
#include "WavExpectation.h"
#include "WindowTestSupport.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <cstdint>
#include <memory>

using vorsa::testing::DialogRecorder;
using vorsa::testing::GeneratedDisc;
using vorsa::testing::ProbedForm;
using vorsa::testing::TempDir;

namespace
{

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

// A track file judged against the shared expectation: the header, then
// `disc`'s sectors from `firstSector` on.
void CheckTrackFile(const std::string &path, const GeneratedDisc &disc, std::int64_t firstSector,
                    std::int64_t sectors)
{
    QVERIFY2(vorsa::testing::FileExists(path), path.c_str());
    const std::string mismatch =
        vorsa::testing::WavMismatch(vorsa::testing::ReadWholeFile(path),
                                    vorsa::testing::ExpectedTrackFile(disc, firstSector, sectors));
    QVERIFY2(mismatch.empty(), (path + ": " + mismatch).c_str());
}

} // namespace

class WindowRunTest : public vorsa::testing::WindowTestBase
{
    Q_OBJECT

private:
    std::string Out(const char *name) const { return dir_->Path() + "/out/" + name; }

    // A three-track disc dropped on the window, every track ticked, prefix
    // "cd", destination the folder "out" opened in the folder list.
    GeneratedDisc PrepareRun(bool ccd = false)
    {
        const std::vector<std::int32_t> lengths{150, 300, 75}; // sectors
        const GeneratedDisc disc =
            ccd ? vorsa::testing::WriteCcdDisc(*dir_, "album", lengths, 1000)
                : vorsa::testing::WriteCueDisc(*dir_, "album", lengths, 1000);
        if (!vorsa::testing::DropUrls(*form_, {vorsa::testing::LocalUrl(disc.descriptionPath)}))
            qWarning("drop refused");
        QTest::mouseClick(form_->ToolButton3, Qt::LeftButton);
        QTest::keyClicks(form_->Edit1, QStringLiteral("cd"));
        QDir(Q(dir_->Path())).mkdir(QStringLiteral("out"));
        form_->DirectoryListBox1->OpenDirectory(Q(dir_->Path()));
        vorsa::testing::OpenFolderEntry(*form_, Q(dir_->Path()) + QStringLiteral("/out"));
        return disc;
    }

private slots:
    void init() { QVERIFY(StartWindow()); }

    void cleanup() { StopWindow(); }

    void stopButtonDuringRun_data()
    {
        QTest::addColumn<int>("clickAtCall"); // the run's ProcessEvents call that takes the click
        QTest::addColumn<bool>("escape");     // Esc pressed instead of a click
        QTest::addColumn<qint64>("firstFileBytes");
        // Right after track 1's file is created: it stays, empty.
        QTest::newRow("new track file") << 1 << false << qint64{0};
        // Before its first sector: track 1 is copied to its end.
        QTest::newRow("Esc") << 2 << true << qint64{44 + 150 * vorsa::testing::kSectorBytes};
    }

    void stopButtonDuringRun()
    {
        QFETCH(int, clickAtCall);
        QFETCH(bool, escape);
        QFETCH(qint64, firstFileBytes);
        PrepareRun();
        bool enabledDuringRun = false;
        bool enabledAfterStop = true;
        form_->probe = [&](int call) {
            if (call != clickAtCall)
                return;
            enabledDuringRun = form_->Button1->isEnabled();
            if (escape)
                QTest::keyClick(form_->ListView1, Qt::Key_Escape);
            else
                QTest::mouseClick(form_->Button1, Qt::LeftButton);
            // The stop is seen at once, though the track goes on to its end.
            enabledAfterStop = form_->Button1->isEnabled();
        };
        QTest::mouseClick(form_->ToolButton2, Qt::LeftButton);

        QVERIFY(enabledDuringRun);
        QVERIFY(!enabledAfterStop);
        QVERIFY(vorsa::AbortRequested);
        QCOMPARE(QFileInfo(Q(Out("cd01.wav"))).size(), firstFileBytes);
        QVERIFY(!vorsa::testing::FileExists(Out("cd02.wav")));
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("終わりました")});
        QVERIFY(!form_->Button1->isEnabled());
    }

    // A drop whose load is still waiting when a run starts is refused when
    // it comes up inside the run: the run owns the table.
    void dropQueuedBeforeRunIsRefused()
    {
        const GeneratedDisc disc = PrepareRun();
        const auto other = vorsa::testing::WriteCcdDisc(*dir_, "other", {75});
        QVERIFY(
            vorsa::testing::DeliverDrop(*form_, {vorsa::testing::LocalUrl(other.descriptionPath)}));
        form_->ToolButton2Click();

        QVERIFY(form_->processEventsCalls > 0);
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("終わりました")});
        QCOMPARE(form_->Label1->text(), Q(disc.descriptionPath));
        QCOMPARE(form_->Label2->text(), Q(disc.imagePath));
        QCOMPARE(form_->ListView1->topLevelItemCount(), 3);
        CheckTrackFile(Out("cd01.wav"), disc, 0, 150);
        CheckTrackFile(Out("cd02.wav"), disc, 150, 300);
        CheckTrackFile(Out("cd03.wav"), disc, 450, 75);
        // Nothing is left to load afterwards either.
        QCoreApplication::processEvents();
        QCOMPARE(form_->Label1->text(), Q(disc.descriptionPath));
    }
};

int main(int argc, char *argv[])
{
    vorsa::ui::Application application(argc, argv);
    WindowRunTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowRunTest.moc"
