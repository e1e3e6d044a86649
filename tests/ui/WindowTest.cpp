// The Qt window beyond the behaviours that both windows share (tests/window):
// its layout, the drop as Qt delivers it, the folder list and drive
// selector, the error display, keyboard, tool tips, message boxes, the link.
#include "Application.h"
#include "Credits.h"
#include "Dialogs.h"
#include "DirectoryListBox.h"
#include "DiscBuilder.h"
#include "DriveComboBox.h"
#include "JapaneseFileList.h"
#include "MessageBox.h"
#include "TempDir.h"
#include "VorsaVersion.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>

#include <cstdlib>
#include <memory>
#include <stdexcept>

using vorsa::testing::DialogRecorder;
using vorsa::testing::ProbedForm;
using vorsa::testing::TempDir;

namespace
{

const QString kTitle = QStringLiteral("test_window");

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

// An object whose event handler fails, as a window handler may.
class FailingHandler : public QObject
{
public:
    explicit FailingHandler(std::string message) : message_(std::move(message)) {}
    bool event(QEvent *) override { throw std::runtime_error(message_); }

private:
    std::string message_;
};

// A style that activates an item view's entry on a single click, as KDE's does.
class SingleClickStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

class WindowTest : public vorsa::testing::WindowTestBase
{
    Q_OBJECT

private:
    // Outlives the window, which does not own the style it is given.
    std::unique_ptr<SingleClickStyle> singleClick_;

    // The folder list showing the test folder, which holds the folder "sub",
    // with Label6 emptied; the entry for "sub" in view (nullptr if none).
    QListWidgetItem *ShowSubfolderEntry(bool singleClickStyle)
    {
        const QString base = Q(dir_->Path());
        if (!QDir(base).mkpath(QStringLiteral("sub")))
            return nullptr;
        auto &list = Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1");
        if (singleClickStyle) {
            singleClick_ = std::make_unique<SingleClickStyle>();
            list.setStyle(singleClick_.get());
        }
        list.OpenDirectory(base);
        Control<QLabel>("Label6").clear();
        for (int i = 0; i < list.count(); ++i) {
            if (vorsa::ui::DirectoryListBox::EntryPath(list.item(i)) ==
                base + QStringLiteral("/sub")) {
                list.scrollToItem(list.item(i));
                return list.item(i);
            }
        }
        return nullptr;
    }

    // How much the colour at `at` of `list`'s viewport changes when the focus
    // moves from the prefix box to the list: the sum of the channels' changes.
    int FocusChange(QAbstractItemView &list, QPoint at)
    {
        const auto colour = [&list, at] {
            return list.viewport()->grab().toImage().pixelColor(at);
        };
        Control<QLineEdit>("Edit1").setFocus();
        const QColor elsewhere = colour();
        list.setFocus();
        if (!list.hasFocus())
            return 0;
        const QColor focused = colour();
        return std::abs(focused.red() - elsewhere.red()) +
               std::abs(focused.green() - elsewhere.green()) +
               std::abs(focused.blue() - elsewhere.blue());
    }

    // Loads a generated three-track disc, so there is something to replace.
    vorsa::testing::GeneratedDisc LoadStartingDisc()
    {
        const auto disc = vorsa::testing::WriteCueDisc(*dir_, "first", {150, 300, 75});
        dialogs_->openAnswers.push_back(Q(disc.descriptionPath));
        vorsa::testing::RunHandler(*form_, "ToolButton1Click");
        return disc;
    }

private slots:
    void init() { QVERIFY(StartWindow()); }

    void cleanup()
    {
        StopWindow();
        singleClick_.reset();
    }

    // In the prefix box the select-all keys are the box's, not the song list's.
    void prefixBoxKeepsItsKeys()
    {
        LoadStartingDisc();
        vorsa::testing::RunHandler(*form_, "ToolButton3Click");
        auto &prefix = Control<QLineEdit>("Edit1");
        prefix.setFocus();
        QTest::keyClick(&prefix, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(vorsa::testing::Ticks(*form_), (QList<bool>{true, true, true}));
    }

    // The tool buttons show their images alone, and have images to show.
    void toolButtonsShowImages()
    {
        for (const char *name : {"ToolButton1", "ToolButton2", "ToolButton3", "ToolButton4"}) {
            const auto &button = Control<QToolButton>(name);
            QCOMPARE(button.toolButtonStyle(), Qt::ToolButtonIconOnly);
            QVERIFY(!button.icon().pixmap(32, 32).isNull());
        }
    }

    void windowFrame()
    {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Vorsa"));
        const Qt::WindowFlags flags = form_->windowFlags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!form_->windowIcon().isNull());
        QCOMPARE(form_->font().families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
        QVERIFY(form_->font().families().contains(QStringLiteral("Noto Sans CJK JP")));
        QVERIFY(form_->acceptDrops());
        // The window is one drop target: a control that took drops itself
        // would keep a file dropped over it from the window.
        for (const QWidget *control : form_->findChildren<QWidget *>())
            QVERIFY2(!control->acceptDrops(),
                     qPrintable(control->objectName() + QLatin1Char(' ') +
                                QString::fromLatin1(control->metaObject()->className())));
    }

    void colours()
    {
        const QColor cream(255, 251, 240);
        for (const char *name : {"Label1", "Label2", "Label6", "Label7"}) {
            const auto &label = Control<QLabel>(name);
            QVERIFY(label.autoFillBackground());
            QCOMPARE(label.palette().color(QPalette::Window), cream);
        }
        QCOMPARE(Control<QLabel>("Label11").palette().color(QPalette::WindowText),
                 QColor(0, 0, 128));
        QVERIFY(Control<QLabel>("Label11").font().underline());
        QCOMPARE(Control<QLabel>("Label11").cursor().shape(), Qt::PointingHandCursor);
    }

    // The state texts start empty (tests/window); the controls' own settings here.
    void startState()
    {
        QCOMPARE(Control<QProgressBar>("ProgressBar1").minimum(), 0);
        QCOMPARE(Control<QProgressBar>("ProgressBar1").maximum(), 100);
        // The list shows the process's folder, but no change was signalled.
        QCOMPARE(Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1").Directory(),
                 QDir::currentPath());
        QCOMPARE(
            Control<vorsa::ui::DriveComboBox>("DriveComboBox1").findText(QStringLiteral("/")) >= 0,
            true);
    }

    // The open dialog's list gives sizes, folders and dates as a Japanese
    // desktop does, whatever the system locale (the tests run under "C").
    void openDialogListsFilesInJapanese()
    {
        QCOMPARE(QLocale().language(), QLocale::Japanese);
        dir_->Write("small.cue", std::string(100, 'x'));
        QVERIFY(QDir(Q(dir_->Path())).mkdir(QStringLiteral("sub")));
        QFileSystemModel files;
        const QModelIndex root = files.setRootPath(Q(dir_->Path()));
        QTRY_COMPARE(files.rowCount(root), 2);
        vorsa::ui::JapaneseFileList list;
        list.setSourceModel(&files);
        const auto shown = [&](const char *name, int column) {
            const QModelIndex entry = files.index(Q(dir_->File(name)));
            return list.mapFromSource(entry).siblingAtColumn(column).data().toString();
        };
        QCOMPARE(shown("small.cue", 1), QStringLiteral("100 バイト"));
        QCOMPARE(shown("sub", 2), QStringLiteral("フォルダー"));
        const QRegularExpression japaneseDate(
            QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{1,2}:\\d{2}$"));
        QVERIFY2(japaneseDate.match(shown("small.cue", 3)).hasMatch(),
                 qPrintable(shown("small.cue", 3)));
    }

    // Qt's own dialogs speak Japanese, yet a message box's one button reads
    // "OK", as the window's boxes always have.
    void messageBoxButtonReadsOkUnderJapaneseQt()
    {
        if (!QTranslator().load(QStringLiteral("qtbase_ja"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QSKIP("Qt's Japanese translations (qtbase_ja.qm, Debian's qt6-translations-l10n) "
                  "are not installed");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("キャンセル"));
        dialogs_.reset(); // the real box
        QStringList buttons;
        QTimer::singleShot(0, [&buttons] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible()) {
                    for (const QAbstractButton *button : box->buttons())
                        buttons.append(button->text());
                    box->accept();
                }
            }
        });
        vorsa::ui::ShowMessageBox(QStringLiteral("終了しました"));
        dialogs_ = std::make_unique<DialogRecorder>();
        QCOMPARE(buttons, QStringList{QStringLiteral("OK")});
    }

    // A file dropped over any control is the window's: Qt hands a drop to
    // the deepest control under the pointer that takes drops.
    void dropOverAnyControlLoads_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Edit1", "ListView1", "DirectoryListBox1", "DriveComboBox1",
                                 "Label1", "Label7", "Button1", "ToolBar1", "Label11"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void dropOverAnyControlLoads()
    {
        QFETCH(QString, name);
        const auto *control = form_->findChild<QWidget *>(name);
        QVERIFY(control);
        const QPoint at = control->mapTo(form_.get(), control->rect().center());
        const QWidget *under = form_->childAt(at);
        QVERIFY(under == control || control->isAncestorOf(under));
        const auto disc = vorsa::testing::WriteCueDisc(*dir_, "album", {150, 300, 75});

        QVERIFY(
            vorsa::testing::DropUrls(*form_, {vorsa::testing::LocalUrl(disc.descriptionPath)}, at));
        QCOMPARE(Control<QLabel>("Label1").text(), Q(disc.descriptionPath));
        QCOMPARE(Control<QTreeWidget>("ListView1").topLevelItemCount(), 3);
        QVERIFY(Control<QLineEdit>("Edit1").text().isEmpty());
        QVERIFY(dialogs_->messages.empty());
    }

    // The load, and any box a reader shows, comes after the drop handler has
    // returned: a box inside it would hold the file manager's drag open.
    void dropLoadsOnceTheDropIsOver_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("error");
        QTest::newRow("reader refuses the file") << true << false;
        QTest::newRow("file cannot be opened") << false << true;
    }

    void dropLoadsOnceTheDropIsOver()
    {
        QFETCH(bool, fileExists);
        QFETCH(bool, error);
        // A cue sheet under a .ccd name: the .ccd reader finds no audio track.
        const std::string path =
            fileExists ? dir_->Write("plain.ccd", vorsa::testing::CueSheetText({0, 150}, "a.bin"))
                       : dir_->File("gone.ccd");
        bool dropReturned = false;
        QList<bool> shownAfterDrop;
        dialogs_->onMessage = [&](const vorsa::testing::RecordedMessage &) {
            shownAfterDrop.append(dropReturned);
        };

        QVERIFY(vorsa::testing::DeliverDrop(*form_, {vorsa::testing::LocalUrl(path)}));
        dropReturned = true;
        QVERIFY(dialogs_->messages.empty());
        QCoreApplication::processEvents();

        QCOMPARE(shownAfterDrop, QList<bool>{true});
        QCOMPARE(dialogs_->messages.front().error, error);
        if (!error)
            QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("音楽CDではありません")});
    }

    void folderListShowsChainThenSortedSubfolders()
    {
        const QString base = Q(dir_->Path());
        for (const char *name : {"b", "c", "a"})
            QVERIFY(QDir(base).mkpath(QString::fromLatin1(name)));
        Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1").OpenDirectory(base);
        QStringList paths;
        const auto *list = &Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1");
        for (int i = 0; i < list->count(); ++i)
            paths.append(vorsa::ui::DirectoryListBox::EntryPath(list->item(i)));
        QStringList expected{QStringLiteral("/")};
        QString chain;
        for (const QString &part : base.split(QLatin1Char('/'), Qt::SkipEmptyParts))
            expected.append(chain += QLatin1Char('/') + part);
        for (const char *name : {"a", "b", "c"})
            expected.append(base + QLatin1Char('/') + QString::fromLatin1(name));
        QCOMPARE(paths, expected);
        QCOMPARE(vorsa::ui::DirectoryListBox::EntryPath(list->currentItem()), base);
        // Each level a step further in; the text is the folder's bare name,
        // which typing its first letters finds.
        QCOMPARE(list->item(2)->text(), base.split(QLatin1Char('/'), Qt::SkipEmptyParts).at(1));
        QCOMPARE(vorsa::ui::DirectoryListBox::EntryLevel(list->item(2)), 2);
        QCOMPARE(vorsa::ui::DirectoryListBox::EntryLevel(list->item(list->count() - 1)),
                 vorsa::ui::DirectoryListBox::EntryLevel(list->currentItem()) + 1);
    }

    // Only folders are listed: a link counts when it leads to a folder.
    void folderListShowsOnlyFolders()
    {
        const QString base = Q(dir_->Path());
        QVERIFY(QDir(base).mkpath(QStringLiteral("real")));
        dir_->Write("plain", "text");
        const QList<std::pair<const char *, QString>> links{
            {"to folder", base + QStringLiteral("/real")},
            {"to device", QStringLiteral("/dev/null")},
            {"to file", base + QStringLiteral("/plain")},
            {"to nowhere", base + QStringLiteral("/gone")}};
        for (const auto &[name, target] : links)
            QVERIFY(QFile::link(target, base + QLatin1Char('/') + QString::fromLatin1(name)));
        auto &list = Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1");
        list.OpenDirectory(base);
        QStringList listed;
        for (int i = list.currentRow() + 1; i < list.count(); ++i)
            listed.append(list.item(i)->text());
        QCOMPARE(listed, (QStringList{QStringLiteral("real"), QStringLiteral("to folder")}));
    }

    // The selected entry is drawn one way while the list has the focus and a
    // clearly different way without it.
    void folderListShowsItsFocus()
    {
        auto &list = Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1");
        const QRect entry = list.visualItemRect(list.currentItem());
        const int change = FocusChange(list, QPoint(entry.right() - 2, entry.center().y()));
        QVERIFY2(change > 60, qPrintable(QString::number(change)));
    }

    // The song list's current row, ticked or not, selected or not, is framed
    // while the list has the focus; the style's own mark round the text
    // alone is too faint to find. Looked at beside the check box.
    void songListShowsItsFocus()
    {
        LoadStartingDisc();
        auto &list = Control<QTreeWidget>("ListView1");
        list.clearSelection();
        list.selectionModel()->setCurrentIndex(list.model()->index(1, 0),
                                               QItemSelectionModel::NoUpdate);
        const QRect row = list.visualRect(list.currentIndex());
        const int change = FocusChange(list, QPoint(row.left() + 1, row.center().y()));
        QVERIFY2(change > 60, qPrintable(QString::number(change)));
    }

    // Moving the selection changes nothing, also under a style that
    // activates an entry on a single click.
    void selectingFolderChangesNothing_data()
    {
        QTest::addColumn<QString>("how"); // "click", "arrows", or "typing" the first letters
        QTest::addColumn<bool>("singleClickStyle");
        QTest::newRow("click") << QStringLiteral("click") << false;
        QTest::newRow("click, single-click style") << QStringLiteral("click") << true;
        QTest::newRow("arrow keys") << QStringLiteral("arrows") << false;
        QTest::newRow("arrow keys, single-click style") << QStringLiteral("arrows") << true;
        QTest::newRow("typing first letters") << QStringLiteral("typing") << false;
    }

    void selectingFolderChangesNothing()
    {
        QFETCH(QString, how);
        QFETCH(bool, singleClickStyle);
        QListWidgetItem *sub = ShowSubfolderEntry(singleClickStyle);
        QVERIFY(sub);
        auto &list = Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1");
        const QString base = Q(dir_->Path());
        if (how == QStringLiteral("click")) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                              list.visualItemRect(sub).center());
        } else if (how == QStringLiteral("arrows")) {
            list.setFocus();
            QTest::keyClick(&list, Qt::Key_Down);
            QTest::keyClick(&list, Qt::Key_Up);
            QTest::keyClick(&list, Qt::Key_Down);
        } else {
            list.setFocus();
            QTest::keyClicks(&list, QStringLiteral("su"));
        }
        QCOMPARE(list.currentItem(), sub);
        QVERIFY(Control<QLabel>("Label6").text().isEmpty());
        QCOMPARE(list.Directory(), base);
        QCOMPARE(QDir::currentPath(), base);
    }

    void openingFolderByDoubleClickOrEnter_data()
    {
        QTest::addColumn<int>("key"); // 0 for a double-click
        QTest::addColumn<bool>("singleClickStyle");
        QTest::newRow("double-click") << 0 << false;
        QTest::newRow("double-click, single-click style") << 0 << true;
        QTest::newRow("Return") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false;
    }

    void openingFolderByDoubleClickOrEnter()
    {
        QFETCH(int, key);
        QFETCH(bool, singleClickStyle);
        QListWidgetItem *sub = ShowSubfolderEntry(singleClickStyle);
        QVERIFY(sub);
        auto &list = Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1");
        const QString base = Q(dir_->Path());
        if (key == 0) {
            // What the window system delivers: press, release, double-click,
            // release. QTest's mouseDClick on a widget sends the third alone.
            QWidget *viewport = list.viewport();
            const QPoint at = list.visualItemRect(sub).center();
            QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
            QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
        } else {
            list.setCurrentItem(sub);
            list.setFocus();
            QTest::keyClick(&list, static_cast<Qt::Key>(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        }
        const QString target = base + QStringLiteral("/sub");
        QCOMPARE(Control<QLabel>("Label6").text(), target + QLatin1Char('/'));
        QCOMPARE(list.Directory(), target);
        QCOMPARE(QDir::currentPath(), target);
        QVERIFY(dialogs_->messages.empty());
    }

    // A drive picked moves the list there; the drive the program started
    // on, picked again, goes back to the folder it started in.
    void pickingDriveMovesTheList()
    {
        auto &drives = Control<vorsa::ui::DriveComboBox>("DriveComboBox1");
        auto &list = Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1");
        const QString start = list.Directory();
        const QString startDrive = drives.DriveOf(start);
        // A folder of the test folder stands for another drive.
        const QString other = Q(dir_->Path());
        drives.addItem(other);
        const auto pick = [&drives](const QString &drive) {
            emit drives.activated(drives.findText(drive));
        };

        pick(other);
        QCOMPARE(list.Directory(), other);
        QCOMPARE(Control<QLabel>("Label6").text(), other + QLatin1Char('/'));
        QCOMPARE(drives.currentText(), other);
        pick(startDrive);
        QCOMPARE(list.Directory(), start);
        QCOMPARE(drives.currentText(), startDrive);
        QVERIFY(dialogs_->messages.empty());
    }

    // The application object catches what a handler raises and shows it,
    // "." appended only after a character that sorts after ".".
    void errorDisplayAppendsFullStop_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *name, const char *message, const char *shown) {
            QTest::newRow(name) << QString::fromUtf8(message) << QString::fromUtf8(shown);
        };
        row("Japanese text", "ファイル /x/a.img は開けません", "ファイル /x/a.img は開けません.");
        row("closing parenthesis", "I/O エラー (13)", "I/O エラー (13)");
        row("latin letter", "abc", "abc.");
        row("full stop", "done.", "done.");
        row("slash sorts after", "path/", "path/.");
        row("exclamation mark", "stop!", "stop!");
    }

    void errorDisplayAppendsFullStop()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        FailingHandler handler(message.toStdString());
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&handler, &event);
        QCOMPARE(dialogs_->messages.size(), std::size_t{1});
        QCOMPARE(dialogs_->messages.front().text, shown);
        QCOMPARE(dialogs_->messages.front().caption, kTitle);
        QVERIFY(dialogs_->messages.front().error);
        // The event loop goes on.
        QTest::mouseClick(&Control<QToolButton>("ToolButton3"), Qt::LeftButton);
        QCOMPARE(dialogs_->messages.size(), std::size_t{1});
    }

    // Every load starts from an empty image path: a sheet that names no
    // image finds none, whatever disc was loaded before it.
    void loadAfterLoadKeepsNoEarlierImage()
    {
        LoadStartingDisc();
        const std::string bare = dir_->Write("bare.cue", "file \"bare.bin\" binary\r\n"
                                                         "  track 01 AUDIO\r\n"
                                                         "    index 01 00:00:00\r\n");
        dialogs_->openAnswers.push_back(Q(bare));
        QTest::mouseClick(&Control<QToolButton>("ToolButton1"), Qt::LeftButton);
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("ファイル  は開けません.")});
        QCOMPARE(Control<QLabel>("Label1").text(), Q(bare));
        QVERIFY(Control<QLabel>("Label2").text().isEmpty());
        QCOMPARE(Control<QTreeWidget>("ListView1").topLevelItemCount(), 0);
    }

    // A message is shown whole: a NUL byte in it shows as a visible mark.
    void errorDisplayShowsNulAsVisibleMark()
    {
        using namespace std::string_literals;
        vorsa::testing::WritePatternImage(dir_->File("nul.bin"), 2352 * 400);
        const std::string cue = dir_->Write("nul.cue", "FILE \"nul.bin\" BINARY\r\n"
                                                       "  TRACK 01 AUDIO\r\n"
                                                       "    INDEX 01 00:0\0:00\r\n"
                                                       "  TRACK 02 AUDIO\r\n"
                                                       "    INDEX 01 00:02:00\r\n"s);
        dialogs_->openAnswers.push_back(Q(cue));
        QTest::mouseClick(&Control<QToolButton>("ToolButton1"), Qt::LeftButton);
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("'0\u2400' は整数ではありません.")});
        QVERIFY(dialogs_->messages.front().error);
    }

    // ---- keyboard and tool tips ----

    // The tool buttons' actions from the keyboard, the focus on the song list.
    void toolButtonShortcuts()
    {
        LoadStartingDisc();
        Control<QTreeWidget>("ListView1").setFocus();
        const auto press = [this](QKeyCombination keys) {
            QTest::keyClick(&Control<QTreeWidget>("ListView1"), keys.key(),
                            keys.keyboardModifiers());
        };
        press(Qt::CTRL | Qt::Key_A);
        QCOMPARE(vorsa::testing::Ticks(*form_), (QList<bool>{true, true, true}));
        press(Qt::CTRL | Qt::SHIFT | Qt::Key_A);
        QCOMPARE(vorsa::testing::Ticks(*form_), (QList<bool>{false, false, false}));
        press(Qt::CTRL | Qt::Key_O);
        QCOMPARE(dialogs_->openFilters.size(), 2); // the starting disc's, then this one
        press(Qt::CTRL | Qt::Key_S);
        QCOMPARE(dialogs_->Texts(), QStringList{QStringLiteral("Wave接頭語を指定してください")});
    }

    // Paths cut at the label's edge show whole as its tool tip, as they are
    // even where they look like markup.
    void pathLabelsShowWholePathAsToolTip()
    {
        const auto disc = LoadStartingDisc();
        const QString folder = Q(dir_->Path()) + QStringLiteral("/<b>") + QString(80, u'x');
        QVERIFY(QDir().mkpath(folder));
        emit Control<vorsa::ui::DirectoryListBox>("DirectoryListBox1").Opened(folder);
        const auto shown = [](const QLabel *label) {
            const QString tip = label->toolTip();
            return Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText()
                                            : tip;
        };
        QCOMPARE(shown(&Control<QLabel>("Label1")), Q(disc.descriptionPath));
        QCOMPARE(shown(&Control<QLabel>("Label2")), Q(disc.imagePath));
        QCOMPARE(shown(&Control<QLabel>("Label6")), folder + QLatin1Char('/'));
    }

    // The message box, frame included, sits in the middle of the screen,
    // and is wide enough for a title bar to show its caption beside its
    // buttons, however short the text.
    void messageBoxCentredAndWideEnoughForCaption()
    {
        vorsa::ui::MessageBox box(QMessageBox::NoIcon, kTitle, QStringLiteral("終わりました"));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QRect screen = box.screen()->availableGeometry();
        QVERIFY((box.frameGeometry().center() - screen.center()).manhattanLength() <= 1);
        QFont titleFont = box.font();
        titleFont.setBold(true);
        const QFontMetrics metrics(titleFont);
        QVERIFY(box.width() >= metrics.horizontalAdvance(kTitle) + 4 * metrics.height());

        // Under a window manager's frame, such as a 20-pixel title bar.
        const QMargins frame(1, 20, 1, 1);
        const QPoint at = vorsa::ui::MessageBox::CentredPosition(box.size(), frame, screen);
        const QRect framed = QRect(at, box.size()).marginsAdded(frame);
        QVERIFY((framed.center() - screen.center()).manhattanLength() <= 1);
    }

    void linkLabelOpensHomePage()
    {
        vorsa::testing::UrlCatcher browser;
        QTest::mouseClick(&Control<QLabel>("Label11"), Qt::LeftButton);
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(QString::fromUtf8(vorsa::ui::kHomePage))});
    }
};

int main(int argc, char *argv[])
{
    vorsa::ui::Application application(argc, argv);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
