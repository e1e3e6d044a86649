#include "Unit1.h"

#include "BoxText.h"
#include "CodePage.h"
#include "Credits.h"
#include "Dialogs.h"
#include "DirectoryListBox.h"
#include "DiscReaders.h"
#include "DriveComboBox.h"
#include "ErrorDisplay.h"
#include "Extraction.h"
#include "GridLineDelegate.h"
#include "LinkLabel.h"
#include "NamedFile.h"
#include "SelectionPalette.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include <cstdint>
#include <optional>
#include <string_view>

// Outside any namespace, as Qt's resource macro requires. The resources sit
// in a static library, so nothing would pull them in without this call.
static void InitVorsaResources()
{
    Q_INIT_RESOURCE(vorsa);
}

namespace
{

using vorsa::TextControl;

constexpr int kClientWidth = 348; // pixels
constexpr int kClientHeight = 523;
constexpr int kFontPixels = 12;
const QColor kCream(255, 251, 240);
const QColor kNavy(0, 0, 128);

// A tool tip that shows `text` as it is: Qt would take a text that looks
// like markup (a folder named "<b>") for rich text.
QString PlainToolTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    // Paths are shown as they are, never taken for rich text.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

// A label sized to its text, at its place.
QLabel *MakeHeading(QWidget *parent, const char *name, const QString &text, QPoint topLeft)
{
    QLabel *label = MakeLabel(parent, name, text, QRect(topLeft, QSize()));
    label->adjustSize();
    return label;
}

void SetBackground(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

QToolButton *MakeToolButton(QWidget *bar, const char *name, const QIcon &image, const QString &hint,
                            int left)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(image);
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, 2, 39, 38);
    return button;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent),
      runGuard_(
          {.showRunning =
               [this](bool running) {
                   ToolButton1->setEnabled(!running);
                   ToolButton2->setEnabled(!running);
               },
           .stop = [this] { Button1Click(); },
           .closeLater =
               [this] { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); }})
{
    InitVorsaResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Vorsa"));
    setWindowIcon(QIcon(QStringLiteral(":/vorsa/vorsa.png")));
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("IPAPGothic")});
    font.setPixelSize(kFontPixels);
    setFont(font);
    SetBackground(this, palette().color(QPalette::Button));
    setFixedSize(kClientWidth, kClientHeight);
    if (const QScreen *desktop = screen()) {
        const QRect available = desktop->availableGeometry();
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), available));
        // A window larger than the screen (a large scale factor) would be
        // centred with its title bar off the top, where nothing can move it.
        // It goes to the screen's top instead (and to its left edge when too
        // wide): move() places the frame, title bar included.
        QPoint frameTopLeft = pos();
        if (height() > available.height())
            frameTopLeft.setY(available.top());
        if (width() > available.width())
            frameTopLeft.setX(available.left());
        if (frameTopLeft != pos())
            move(frameTopLeft);
    }

    CreateControls();
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls()
{
    Label1 = MakeLabel(this, "Label1", QString(), QRect(8, 80, 185, 25));
    SetBackground(Label1, kCream);
    Label2 = MakeLabel(this, "Label2", QString(), QRect(8, 128, 185, 25));
    SetBackground(Label2, kCream);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(208, 56, 129, 409);
    ListView1->setColumnCount(1);
    ListView1->setHeaderLabels({QStringLiteral("SongList")});
    ListView1->header()->setStretchLastSection(true);
    ListView1->header()->setSectionsMovable(false);
    ListView1->setRootIsDecorated(false);
    ListView1->setIndentation(0);
    ListView1->setUniformRowHeights(true);
    ListView1->setItemDelegate(new vorsa::ui::GridLineDelegate(ListView1));
    vorsa::ui::MuteInactiveSelection(*ListView1);

    Label3 = MakeHeading(this, "Label3", QStringLiteral("cue/ccdファイル"), QPoint(8, 64));
    Label4 = MakeHeading(this, "Label4", QStringLiteral("imgファイル"), QPoint(8, 112));
    Label5 = MakeHeading(this, "Label5", QStringLiteral("Wave接頭語"), QPoint(8, 160));

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 176, 185, 20);
    // A file dropped over the prefix box is a file for the window, not text
    // for the box: Qt hands a drop to the deepest widget that takes drops.
    Edit1->setAcceptDrops(false);

    Label6 = MakeLabel(this, "Label6", QString(), QRect(8, 216, 185, 20));
    SetBackground(Label6, kCream);

    DirectoryListBox1 = new vorsa::ui::DirectoryListBox(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setGeometry(8, 256, 185, 137);
    // The process's folder is shown, but no change is signalled: the
    // destination stays unset until the user opens a folder.
    DirectoryListBox1->ShowDirectory(QDir::currentPath());

    DriveComboBox1 = new vorsa::ui::DriveComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(8, 240, 185, 18);
    DriveComboBox1->SetDirList(DirectoryListBox1);

    ImageList1 = {QIcon(QStringLiteral(":/vorsa/open.png")),
                  QIcon(QStringLiteral(":/vorsa/extract.png")),
                  QIcon(QStringLiteral(":/vorsa/tickall.png")),
                  QIcon(QStringLiteral(":/vorsa/untickall.png"))};
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setGeometry(0, 0, kClientWidth, 41);
    ToolButton1 = MakeToolButton(ToolBar1, "ToolButton1", ImageList1[0],
                                 QStringLiteral("cue/ccdを読み込みます"), 0);
    ToolButton2 = MakeToolButton(ToolBar1, "ToolButton2", ImageList1[1],
                                 QStringLiteral("Waveファイルを取り出します"), 39);
    ToolButton3 = MakeToolButton(ToolBar1, "ToolButton3", ImageList1[2],
                                 QStringLiteral("全曲にチェックを付けます"), 78);
    ToolButton4 = MakeToolButton(ToolBar1, "ToolButton4", ImageList1[3],
                                 QStringLiteral("全曲のチェックを解除します"), 117);

    GroupBox1 = new QGroupBox(QStringLiteral("Waveリッピング状況"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 400, 185, 65);
    // The caption sits on the frame's top line, as the design places the
    // status label and the stop button 16 pixels below the box's top.
    GroupBox1->setStyleSheet(QStringLiteral(
        "QGroupBox#GroupBox1 { border: 1px solid palette(mid); border-radius: 2px;"
        " margin-top: 6px; }"
        "QGroupBox#GroupBox1::title { subcontrol-origin: margin; left: 7px; padding: 0 2px; }"));
    Label7 = MakeLabel(GroupBox1, "Label7", QString(), QRect(16, 16, 121, 17));
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetBackground(Label7, kCream);
    ProgressBar1 = new QProgressBar(GroupBox1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(16, 33, 121, 16);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    Button1 = new QPushButton(QStringLiteral("中断"), GroupBox1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(144, 16, 33, 33);
    Button1->setEnabled(false);

    Label8 = MakeHeading(this, "Label8", QStringLiteral("Wave作成先フォルダ"), QPoint(8, 200));
    Label9 =
        MakeHeading(this, "Label9", QString::fromUtf8(vorsa::ui::kCreditLine), QPoint(208, 480));
    Label10 =
        MakeHeading(this, "Label10", QString::fromUtf8(vorsa::ui::kVersionLine), QPoint(8, 480));

    auto *link = new vorsa::ui::LinkLabel(this);
    Label11 = link;
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setTextFormat(Qt::PlainText);
    Label11->setText(QString::fromUtf8(vorsa::ui::kHomePage));
    Label11->setCursor(Qt::PointingHandCursor);
    QFont linkFont = Label11->font();
    linkFont.setUnderline(true);
    Label11->setFont(linkFont);
    QPalette linkPalette = Label11->palette();
    linkPalette.setColor(QPalette::WindowText, kNavy);
    // The caption text colour of the title bar, white on most desktops.
    linkPalette.setColor(QPalette::Window, linkPalette.color(QPalette::HighlightedText));
    Label11->setPalette(linkPalette);
    Label11->setAutoFillBackground(true);
    Label11->move(176, 496);
    Label11->adjustSize();

    setTabOrder(ListView1, Edit1);
    setTabOrder(Edit1, DriveComboBox1);
    setTabOrder(DriveComboBox1, DirectoryListBox1);
    setTabOrder(DirectoryListBox1, Button1);
    ListView1->setFocus();
}

void TForm1::ConnectHandlers()
{
    using vorsa::ui::RunShowingErrors;
    // Errors of a handler are shown here, before they could unwind through Qt.
    const auto wire = [this](QToolButton *button, void (TForm1::*handler)()) {
        connect(button, &QToolButton::clicked, this,
                [this, handler] { RunShowingErrors([this, handler] { (this->*handler)(); }); });
    };
    wire(ToolButton1, &TForm1::ToolButton1Click);
    wire(ToolButton2, &TForm1::ToolButton2Click);
    wire(ToolButton3, &TForm1::ToolButton3Click);
    wire(ToolButton4, &TForm1::ToolButton4Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(DirectoryListBox1, &vorsa::ui::DirectoryListBox::Change, this,
            &TForm1::DirectoryListBox1Change);
    connect(static_cast<vorsa::ui::LinkLabel *>(Label11), &vorsa::ui::LinkLabel::clicked, this,
            &TForm1::Label11Click);

    // The keyboard reaches what the mouse does. A click on a disabled button
    // does nothing, so a key does nothing where the button would not.
    const auto key = [this](const QKeySequence &keys, QAbstractButton *button) {
        connect(new QShortcut(keys, this), &QShortcut::activated, button, &QAbstractButton::click);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_O), ToolButton1);
    key(QKeySequence(Qt::CTRL | Qt::Key_S), ToolButton2);
    key(QKeySequence(Qt::CTRL | Qt::Key_A), ToolButton3);
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), ToolButton4);
    key(QKeySequence(Qt::Key_Escape), Button1);
}

// ---- vorsa::WindowState ----

QLabel *TForm1::StateLabel(TextControl control) const
{
    switch (control) {
    case TextControl::Label1:
        return Label1;
    case TextControl::Label2:
        return Label2;
    case TextControl::Label6:
        return Label6;
    case TextControl::Label7:
        return Label7;
    case TextControl::Edit1:
        break;
    }
    return nullptr;
}

std::string TForm1::Text(TextControl control) const
{
    const QLabel *label = StateLabel(control);
    return (label ? label->text() : Edit1->text()).toStdString();
}

void TForm1::SetText(TextControl control, const std::string &text)
{
    const QString shown = QString::fromStdString(text);
    QLabel *label = StateLabel(control);
    if (!label) {
        Edit1->setText(shown);
        return;
    }
    label->setText(shown);
    // The paths are cut at the label's edge; the pointer resting on one shows it whole.
    if (control != TextControl::Label7)
        label->setToolTip(PlainToolTip(shown));
}

void TForm1::ClearSongList()
{
    ListView1->clear();
}

void TForm1::AddSongListItem(const std::string &caption)
{
    auto *item = new QTreeWidgetItem(ListView1, QStringList{QString::fromStdString(caption)});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
}

int TForm1::SongListCount() const
{
    return ListView1->topLevelItemCount();
}

bool TForm1::ItemChecked(int index) const
{
    const QTreeWidgetItem *item = ListView1->topLevelItem(index);
    return item && item->checkState(0) == Qt::Checked;
}

void TForm1::SetProgress(int position)
{
    ProgressBar1->setValue(position);
}

void TForm1::SetStopEnabled(bool enabled)
{
    Button1->setEnabled(enabled);
}

void TForm1::ShowMessage(const std::string &text)
{
    vorsa::ui::ShowMessageBox(QString::fromStdString(vorsa::ui::MessageBoxText(text)));
}

void TForm1::ProcessEvents()
{
    QCoreApplication::processEvents();
}

// ---- handlers ----

void TForm1::DirectoryListBox1Change()
{
    SetText(TextControl::Label6,
            vorsa::text::WithTrailingDelimiter(DirectoryListBox1->Directory().toStdString()));
}

void TForm1::Label11Click()
{
    // A browser that fails to start is not reported.
    QDesktopServices::openUrl(QUrl(Label11->text()));
}

void TForm1::ToolButton1Click()
{
    if (!runGuard_.MayLoad())
        return;
    const std::optional<QString> chosen = vorsa::ui::ChooseOpenFile(
        QStringLiteral("ccd,cueファイル(*.cue,*.ccd)"),
        {QStringLiteral("*.cue"), QStringLiteral("*.ccd")}, lastOpenName_);
    if (!chosen)
        return;
    lastOpenName_ = *chosen;
    vorsa::LoadControlFile(*this, chosen->toStdString());
}

void TForm1::ToolButton2Click()
{
    runGuard_.Extract(*this);
}

void TForm1::ToolButton3Click()
{
    SetAllTicks(true);
}

void TForm1::ToolButton4Click()
{
    SetAllTicks(false);
}

void TForm1::FormCreate()
{
    setAcceptDrops(true);
}

void TForm1::Button1Click()
{
    vorsa::Button1Click();
    // The stop is taken: the button stays off until the run ends, so the
    // user sees it even while the current track is still being copied.
    Button1->setEnabled(false);
}

void TForm1::SetAllTicks(bool ticked)
{
    // The item count as the 16-bit counter that the list's users keep.
    const auto count = static_cast<std::int16_t>(ListView1->topLevelItemCount());
    for (int i = 1; i <= count; ++i)
        ListView1->topLevelItem(i - 1)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

// ---- file drop ----

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (runGuard_.MayLoad() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    if (!runGuard_.MayLoad() || !event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    std::optional<QString> first;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            first = url.toLocalFile();
            break;
        }
    }
    if (!first) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    PostDroppedFile(*first);
}

void TForm1::PostDroppedFile(const QString &localPath)
{
    PostLoad([this, name = vorsa::ui::DroppedName(localPath.toStdString())] { WMDropFiles(name); });
}

void TForm1::PostNamedFile(const QString &localPath)
{
    PostLoad([this, name = localPath.toStdString()] { vorsa::ui::LoadNamedFile(*this, name); });
}

template <typename Load> void TForm1::PostLoad(Load load)
{
    // The load runs once the shell's drop is over: a reader's message box
    // opened inside this handler would keep the file manager's drag pending
    // until the user closed it.
    QMetaObject::invokeMethod(
        this,
        [this, load] {
            // A run that started between the drop and now owns the table.
            if (!runGuard_.MayLoad())
                return;
            vorsa::ui::RunShowingErrors(load);
        },
        Qt::QueuedConnection);
}

void TForm1::WMDropFiles(const std::string &droppedName)
{
    vorsa::LoadDroppedFile(*this, droppedName);
}

// ---- closing ----

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!runGuard_.MayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
