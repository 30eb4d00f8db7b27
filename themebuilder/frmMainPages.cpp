// Building the seven page panels of frmMain.

#include "themebuilder/frmMain.h"

#include "themebuilder/Artwork.h"
#include "themebuilder/PicturePreview.h"
#include "themebuilder/WizardStyle.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace prismel {

namespace {

QVBoxLayout *pageLayout(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(22, 16, 22, 12);
    layout->setSpacing(10);
    return layout;
}

// The separator and the button row at the foot of every page.
QHBoxLayout *navRow(QWidget *page, QVBoxLayout *layout)
{
    layout->addWidget(style::separator(page));
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    layout->addLayout(row);
    return row;
}

// The tall picture at the left of the start, information and completion pages.
QLabel *logoBanner(QWidget *page)
{
    auto *banner = new QLabel(page);
    banner->setObjectName(QStringLiteral("imgAmbrelLogo"));
    banner->setFixedWidth(150);
    banner->setAlignment(Qt::AlignCenter);
    banner->setPixmap(artwork::logo(120, page->devicePixelRatioF()));
    banner->setStyleSheet(QStringLiteral(
        "QLabel#imgAmbrelLogo { border-radius: 6px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3d4c92, stop:1 #1f2649); }"));
    return banner;
}

QWidget *sizeGuideColumn(const QStringList &lines, QWidget *parent)
{
    auto *column = new QWidget(parent);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    for (const QString &line : lines)
        layout->addWidget(style::label(line, "text", column));
    layout->addStretch();
    return column;
}

// A size guide: heading, columns of "part : width x height" lines, and the footers.
QFrame *sizeGuide(const char *name, const QList<QStringList> &columns, QWidget *parent)
{
    QFrame *guide = style::card(name, parent);
    auto *layout = new QVBoxLayout(guide);
    layout->setContentsMargins(18, 14, 18, 12);
    layout->setSpacing(12);
    layout->addWidget(style::label(QStringLiteral("다음과 같이 맞추십시오."), "heading", guide));
    auto *row = new QHBoxLayout;
    row->setSpacing(24);
    for (const QStringList &column : columns)
        row->addWidget(sizeGuideColumn(column, guide), 1);
    layout->addLayout(row, 1);
    layout->addWidget(style::label(QStringLiteral("( ? x ? = 가로 x 세로 ) (? = 제한 없음)"), "footer", guide));
    layout->addWidget(style::label(QStringLiteral("단위 : 픽셀(pixel)"), "footer", guide));
    guide->hide();
    return guide;
}

// Two columns of picker buttons, each with its preview beside it. The previews sit
// in cells as wide as the widest of them, so the buttons line up.
QGridLayout *slotGrid(const QList<std::pair<QPushButton *, PicturePreview *>> &pairs)
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    int cell = 0;
    for (const auto &pair : pairs)
        cell = qMax(cell, pair.second->width());
    for (int i = 0; i < pairs.size(); ++i) {
        const int row = i / 2, column = (i % 2) * 3;
        grid->addWidget(pairs[i].first, row, column);
        grid->addWidget(pairs[i].second, row, column + 1, Qt::AlignCenter);
    }
    grid->setColumnMinimumWidth(1, cell);
    grid->setColumnMinimumWidth(2, 8);
    grid->setColumnMinimumWidth(4, cell);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(3, 1);
    return grid;
}

} // namespace

void frmMain::buildStartBox()
{
    StartBox = makePage("StartBox");
    auto *layout = pageLayout(StartBox);
    auto *body = new QHBoxLayout;
    body->setSpacing(20);
    imgAmbrelLogo[0] = logoBanner(StartBox);
    body->addWidget(imgAmbrelLogo[0]);
    auto *text = new QVBoxLayout;
    text->setSpacing(14);
    text->addWidget(style::label(QStringLiteral("Prismel™ 마법사를 시작 합니다!"), "title", StartBox));
    text->addWidget(style::label(
        QStringLiteral("Prismel™ 마법사에 오신것을 환영 합니다. 먼저 이 프로그램을 사용하기 전 모든 "
                       "Vorlen™ 웹 브라우저 창을 닫으신 후 진행 하도록 하십시오."),
        "text", StartBox));
    text->addStretch();
    text->addWidget(style::label(QStringLiteral("작업을 계속 하시려면 다음을 누르십시오."), "text", StartBox));
    body->addLayout(text, 1);
    layout->addLayout(body, 1);

    auto *nav = navRow(StartBox, layout);
    nav->addStretch();
    cmdNext[0] = style::button(QStringLiteral("다음"), "cmdNext", StartBox, true);
    cmdCancel[0] = style::button(QStringLiteral("취소"), "cmdCancel", StartBox);
    nav->addWidget(cmdNext[0]);
    nav->addWidget(cmdCancel[0]);
}

void frmMain::buildOneBox()
{
    OneBox = makePage("OneBox");
    auto *layout = pageLayout(OneBox);
    layout->addWidget(style::label(QStringLiteral("사용권 계약"), "title", OneBox));
    layout->addWidget(style::label(
        QStringLiteral("Prismel™ 을 사용하시려면 아래의 사용권 계약에 동의하셔야 합니다. "
                       "계약 내용을 끝까지 읽어 보신 뒤, 동의하시면 \"동의함\"을 누르십시오."),
        "text", OneBox));
    txtLicence = new QTextBrowser(OneBox);
    txtLicence->setObjectName(QStringLiteral("txtLicence"));
    txtLicence->setPlainText(artwork::licenceText());
    txtLicence->setOpenLinks(false);
    txtLicence->document()->setDocumentMargin(10);
    layout->addWidget(txtLicence, 1);

    auto *nav = navRow(OneBox, layout);
    nav->addStretch();
    cmdAgree = style::button(QStringLiteral("동의함"), "cmdAgree", OneBox, true);
    cmdDisagree = style::button(QStringLiteral("동의 안함"), "cmdDisagree", OneBox);
    nav->addWidget(cmdAgree);
    nav->addWidget(cmdDisagree);
}

void frmMain::buildTwoBox()
{
    TwoBox = makePage("TwoBox");
    auto *layout = pageLayout(TwoBox);
    layout->addWidget(style::label(QStringLiteral("Vorlen™ 시스템 테마 이미지 설정"), "title", TwoBox));

    auto *work = new style::OverlayArea(TwoBox);
    auto *content = new QWidget(work);
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(12);
    contentLayout->addWidget(style::label(
        QStringLiteral("여러 조각으로 나뉘어진 Vorlen 테마의 위치별 버튼을 클릭 하여 해당 부분에 맞는 "
                       "이미지를 삽입 하십시오."),
        "text", content));

    // The eight buttons sit where their pieces sit on the window frame.
    auto *grid = new QGridLayout;
    grid->setSpacing(8);
    grid->addWidget(cmdTwoBoxTopLeftEdge, 0, 0);
    grid->addWidget(cmdTwoBoxTopLine, 0, 1);
    grid->addWidget(cmdTwoBoxTopRightEdge, 0, 2);
    grid->addWidget(cmdTwoBoxLeftLine, 1, 0);
    grid->addWidget(cmdTwoBoxRightLine, 1, 2);
    grid->addWidget(cmdTwoBoxBottomLeftEdge, 2, 0);
    grid->addWidget(cmdTwoBoxBottomLine, 2, 1);
    grid->addWidget(cmdTwoBoxBottomRightEdge, 2, 2);
    auto *inside = style::label(QStringLiteral("웹 페이지 영역"), "footer", content);
    inside->setAlignment(Qt::AlignCenter);
    inside->setStyleSheet(QStringLiteral("border: 1px dashed #b9c0d8; border-radius: 4px; background: #ffffff;"));
    grid->addWidget(inside, 1, 1);
    inside->setMinimumHeight(120);
    for (QPushButton *side : {cmdTwoBoxLeftLine, cmdTwoBoxRightLine})
        side->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(2, 2);
    contentLayout->addLayout(grid);
    contentLayout->addStretch();

    TwoBoxPlus1 = sizeGuide("TwoBoxPlus1",
                            {{QStringLiteral("상단 좌측 모서리 : 9 x 25"), QStringLiteral("좌측 테두리 : 7 x ?"),
                              QStringLiteral("하단 좌측 모서리 : 9 x 8")},
                             {QStringLiteral("상단 테두리 : ? x 25"), QStringLiteral("하단 테두리 : ? x 8")},
                             {QStringLiteral("상단 우측 모서리 : 9 x 25"), QStringLiteral("우측 테두리 : 7 x ?"),
                              QStringLiteral("하단 우측 모서리 : 9 x 8")}},
                            work);
    SystemImageBox = buildFramePreview();
    SystemImageBox->setParent(work);
    SystemImageBox->hide();
    HelpTheme = buildHelpTheme();
    HelpTheme->setParent(work);
    HelpTheme->hide();
    layout->addWidget(work, 1);

    auto *nav = navRow(TwoBox, layout);
    cmdTwoBoxSystemThemeMakeGuide =
        style::button(QStringLiteral("부분별 이미지 크기"), "cmdTwoBoxSystemThemeMakeGuide", TwoBox);
    cmdThemePreview = style::button(QStringLiteral("테마 미리보기"), "cmdThemePreview", TwoBox);
    cmdThemePreview->setToolTip(QStringLiteral("여기를 누르시면 생성될 시스템 테마를 미리보실 수 있습니다."));
    cmdThemeHelp = style::button(QStringLiteral("?"), "cmdThemeHelp", TwoBox);
    cmdThemeHelp->setMinimumWidth(34);
    cmdThemeHelp->setToolTip(QStringLiteral("테마 제작에 대한 도움말을 보실 수 있습니다."));
    nav->addWidget(cmdTwoBoxSystemThemeMakeGuide);
    nav->addWidget(cmdThemePreview);
    nav->addWidget(cmdThemeHelp);
    nav->addStretch();
    cmdNext[2] = style::button(QStringLiteral("다음"), "cmdNext", TwoBox, true);
    cmdCancel[2] = style::button(QStringLiteral("취소"), "cmdCancel", TwoBox);
    nav->addWidget(cmdNext[2]);
    nav->addWidget(cmdCancel[2]);
}

QWidget *frmMain::buildFramePreview()
{
    QFrame *box = style::card("SystemImageBox", nullptr);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(18, 14, 18, 12);
    layout->setSpacing(12);
    layout->addWidget(style::label(QStringLiteral("제작될 시스템 테마 이미지는 다음과 같습니다."), "heading", box));

    // The frame pieces at their designed sizes: corners 9 x 25 and 9 x 8, edges
    // 419 wide, sides 7 x 53, joined as they join on the browser's window.
    auto *frame = new QWidget(box);
    frame->setFixedSize(437, 86);
    auto *page = new QLabel(QStringLiteral("Vorlen™"), frame);
    page->setAlignment(Qt::AlignCenter);
    page->setGeometry(7, 25, 423, 53);
    page->setStyleSheet(QStringLiteral("background: #ffffff; color: #c3c9de; font-size: 14pt; font-weight: bold;"));
    const struct
    {
        PicturePreview *preview;
        QPoint at;
    } pieces[] = {
        {imgTopLeftEdge, {0, 0}},      {imgTopLine, {9, 0}},        {imgTopRightEdge, {428, 0}},
        {imgLeftLine, {0, 25}},        {imgRightLine, {430, 25}},   {imgBottomLeftEdge, {0, 78}},
        {imgBottomLine, {9, 78}},      {imgBottomRightEdge, {428, 78}},
    };
    for (const auto &piece : pieces) {
        piece.preview->setParent(frame);
        piece.preview->move(piece.at);
    }
    layout->addStretch();
    layout->addWidget(frame, 0, Qt::AlignHCenter);
    layout->addStretch();

    auto *row = new QHBoxLayout;
    row->addStretch();
    cmdSystemImageGoBack = style::button(QStringLiteral("이전으로"), "cmdSystemImageGoBack", box);
    row->addWidget(cmdSystemImageGoBack);
    layout->addLayout(row);
    return box;
}

QWidget *frmMain::buildHelpTheme()
{
    QFrame *box = style::card("HelpTheme", nullptr);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(style::label(QStringLiteral("테마 제작 도움말"), "heading", box));

    auto *tabs = new QHBoxLayout;
    tabs->setSpacing(0);
    cmdTwoBoxHelp1 = new QPushButton(QStringLiteral("자연스러운 테마 연출 하기"), box);
    cmdTwoBoxHelp1->setObjectName(QStringLiteral("cmdTwoBoxHelp1"));
    cmdTwoBoxHelp2 = new QPushButton(QStringLiteral("테마 제작시 사용될 이미지 편집툴"), box);
    cmdTwoBoxHelp2->setObjectName(QStringLiteral("cmdTwoBoxHelp2"));
    for (QPushButton *tab : {cmdTwoBoxHelp1, cmdTwoBoxHelp2}) {
        tab->setProperty("role", QByteArray("tab"));
        tab->setCursor(Qt::PointingHandCursor);
        tabs->addWidget(tab);
    }
    tabs->addStretch();
    layout->addLayout(tabs);

    auto *pages = new style::OverlayArea(box);
    InHelpTwoBox1 = new QWidget(pages);
    InHelpTwoBox1->setObjectName(QStringLiteral("InHelpTwoBox1"));
    auto *one = new QVBoxLayout(InHelpTwoBox1);
    one->setContentsMargins(0, 4, 0, 0);
    one->setSpacing(6);
    auto *examples = new QHBoxLayout;
    examples->setSpacing(16);
    const QString captions[] = {
        QStringLiteral("각 부분의 이미지가 연결되어 있지 않아 시각적으로 보기 좋지 않은 예제 테마"),
        QStringLiteral("각 부분의 이미지가 연결 되어 있어 자연스러운 Windows 7 Basic 테마"),
    };
    for (int i = 0; i < 2; ++i) {
        auto *column = new QVBoxLayout;
        column->setSpacing(4);
        auto *shot = new QLabel(InHelpTwoBox1);
        shot->setObjectName(i == 0 ? QStringLiteral("imgHelpExample1") : QStringLiteral("imgHelpExample2"));
        QPixmap picture = artwork::helpPicture(i + 1);
        picture.setDevicePixelRatio(2.0);
        shot->setPixmap(picture);
        shot->setAlignment(Qt::AlignCenter);
        column->addWidget(shot);
        auto *caption = style::label(captions[i], "footer", InHelpTwoBox1);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        column->addWidget(caption);
        examples->addLayout(column, 1);
    }
    one->addLayout(examples);
    one->addSpacing(6);
    one->addWidget(style::label(
        QStringLiteral("자연스러운 Ambrel™ 테마를 연출 하려면, 각 부분의 이미지가 이어지도록 만들어야 합니다. "
                       "각 부분마다 이미지가 모두 다르다면 프로그램 자체의 디자인이 나빠질 뿐만이 아니라 "
                       "시각적인 면도 나빠지게 됩니다."),
        "text", InHelpTwoBox1));
    one->addStretch();

    InHelpTwoBox2 = new QWidget(pages);
    InHelpTwoBox2->setObjectName(QStringLiteral("InHelpTwoBox2"));
    auto *two = new QVBoxLayout(InHelpTwoBox2);
    two->setContentsMargins(0, 8, 0, 0);
    two->setSpacing(10);
    two->addWidget(style::label(
        QStringLiteral("Ambrel™ 테마팩은 GIF 이미지를 바탕으로 만들어 집니다. 그런데 운영체제에 딸린 간단한 "
                       "그림판 같은 프로그램으로 GIF 파일을 저장하면 색상 수가 줄어들고 투명한 부분이 "
                       "깨지는 등, 공들여 그린 이미지가 손상되는 경우가 많습니다."),
        "text", InHelpTwoBox2));
    two->addWidget(style::label(
        QStringLiteral("테마 이미지를 만들고 저장할 때에는 GIF 형식의 투명색과 색상표를 제대로 다룰 수 있는 "
                       "전문 이미지 편집툴(예: GIMP, Krita 등)을 사용 하십시오. 한 부분을 완성한 뒤에는 "
                       "\"테마 미리보기\"로 이웃한 부분과 자연스럽게 이어지는지 확인해 보시기 바랍니다."),
        "text", InHelpTwoBox2));
    two->addStretch();
    InHelpTwoBox2->hide();
    layout->addWidget(pages, 1);

    paintHelpTabs(true);
    return box;
}

void frmMain::buildThreeBox()
{
    ThreeBox = makePage("ThreeBox");
    auto *layout = pageLayout(ThreeBox);
    layout->addWidget(style::label(QStringLiteral("Vorlen™ 도구상자 테마 이미지 설정"), "title", ThreeBox));

    auto *work = new style::OverlayArea(ThreeBox);
    auto *content = new QWidget(work);
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(12);
    contentLayout->addWidget(style::label(
        QStringLiteral("여러 조각으로 나뉘어진 Vorlen 테마의 기능별 버튼을 클릭 하여 해당 부분에 맞는 "
                       "이미지를 삽입 하십시오."),
        "text", content));
    QGridLayout *grid = slotGrid({
        {cmdThreeBoxBackButton, imgBackButton},       {cmdThreeBoxBackButtonPress, imgBackButtonPress},
        {cmdThreeBoxForwardButton, imgForwardButton}, {cmdThreeBoxForwardButtonPress, imgForwardButtonPress},
        {cmdThreeBoxRefreshButton, imgRefreshButton}, {cmdThreeBoxRefreshButtonPress, imgRefreshButtonPress},
        {cmdThreeBoxStopButton, imgStopButton},       {cmdThreeBoxStopButtonPress, imgStopButtonPress},
    });
    // The background strip follows the window's width: a wide preview under the buttons.
    grid->addWidget(cmdThreeBoxToolbarBackground, 4, 0);
    grid->addWidget(imgToolbarBackground, 4, 1, 1, 4, Qt::AlignLeft | Qt::AlignVCenter);
    contentLayout->addLayout(grid);
    contentLayout->addStretch();

    ThreeBoxPlus1 = sizeGuide("ThreeBoxPlus1",
                              {{QStringLiteral("뒤로 : 45 x 39"), QStringLiteral("뒤로 누름 : 45 x 39"),
                                QStringLiteral("앞으로 : 45 x 39"), QStringLiteral("앞으로 누름 : 45 x 39"),
                                QStringLiteral("도구상자 배경 : ? x 39")},
                               {QStringLiteral("다시 불러오기 : 29 x 25"), QStringLiteral("다시 불러오기 누름 : 29 x 25"),
                                QStringLiteral("불러오기 중지 : 29 x 25"),
                                QStringLiteral("불러오기 중지 누름 : 29 x 25")}},
                              work);
    layout->addWidget(work, 1);

    auto *nav = navRow(ThreeBox, layout);
    cmdThreeBoxSystemThemeMakeGuide =
        style::button(QStringLiteral("부분별 이미지 크기"), "cmdThreeBoxSystemThemeMakeGuide", ThreeBox);
    nav->addWidget(cmdThreeBoxSystemThemeMakeGuide);
    nav->addStretch();
    cmdBack[0] = style::button(QStringLiteral("이전"), "cmdBack", ThreeBox);
    cmdNext[3] = style::button(QStringLiteral("다음"), "cmdNext", ThreeBox, true);
    cmdCancel[3] = style::button(QStringLiteral("취소"), "cmdCancel", ThreeBox);
    nav->addWidget(cmdBack[0]);
    nav->addWidget(cmdNext[3]);
    nav->addWidget(cmdCancel[3]);
}

void frmMain::buildFourBox()
{
    FourBox = makePage("FourBox");
    auto *layout = pageLayout(FourBox);
    layout->addWidget(style::label(QStringLiteral("Vorlen™ 사이드바 버튼 이미지 설정"), "title", FourBox));

    auto *work = new style::OverlayArea(FourBox);
    auto *content = new QWidget(work);
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(12);
    contentLayout->addWidget(style::label(
        QStringLiteral("여러 조각으로 나뉘어진 Vorlen 테마의 기능별 버튼을 클릭 하여 해당 부분에 맞는 "
                       "이미지를 삽입 하십시오."),
        "text", content));
    QGridLayout *grid = slotGrid({
        {cmdFourBoxFavoriteButton, imgFavoriteButton},       {cmdFourBoxSearchButton, imgSearchButton},
        {cmdFourBoxDesignModeButton, imgDesignModeButton},   {cmdFourBoxScriptErrorsButton, imgScriptErrorsButton},
        {cmdFourBoxTaskManagerButton, imgTaskManagerButton}, {cmdFourBoxVitrelButton, imgVitrelButton},
        {cmdFourBoxPanovelButton, imgPanovelButton},         {cmdFourBoxNotepadButton, imgNotepadButton},
    });
    grid->setVerticalSpacing(10);
    contentLayout->addLayout(grid);
    contentLayout->addStretch();

    FourBoxPlus1 = sizeGuide("FourBoxPlus1",
                             {{QStringLiteral("바로가기 : 25 x 25"), QStringLiteral("인터넷 검색 : 25 x 25"),
                               QStringLiteral("문서 편집 모드 : 25 x 25"), QStringLiteral("문서 오류 무시 : 25 x 25")},
                              {QStringLiteral("작업 관리자 : 25 x 25"), QStringLiteral("Vitrel™ : 25 x 25"),
                               QStringLiteral("Panovel™ 모드 : 25 x 25")}},
                             work);
    layout->addWidget(work, 1);

    auto *nav = navRow(FourBox, layout);
    cmdFourBoxSystemThemeMakeGuide =
        style::button(QStringLiteral("부분별 이미지 크기"), "cmdFourBoxSystemThemeMakeGuide", FourBox);
    nav->addWidget(cmdFourBoxSystemThemeMakeGuide);
    nav->addStretch();
    cmdBack[1] = style::button(QStringLiteral("이전"), "cmdBack", FourBox);
    cmdNext[4] = style::button(QStringLiteral("다음"), "cmdNext", FourBox, true);
    cmdCancel[4] = style::button(QStringLiteral("취소"), "cmdCancel", FourBox);
    nav->addWidget(cmdBack[1]);
    nav->addWidget(cmdNext[4]);
    nav->addWidget(cmdCancel[4]);
}

void frmMain::buildInputYourInfoBox()
{
    InputYourInfoBox = makePage("InputYourInfoBox");
    auto *layout = pageLayout(InputYourInfoBox);
    auto *body = new QHBoxLayout;
    body->setSpacing(20);
    imgAmbrelLogo[1] = logoBanner(InputYourInfoBox);
    body->addWidget(imgAmbrelLogo[1]);
    auto *text = new QVBoxLayout;
    text->setSpacing(10);
    text->addWidget(style::label(QStringLiteral("테마팩 기본 정보를 입력 하십시오."), "title", InputYourInfoBox));
    text->addWidget(style::label(
        QStringLiteral("Prismel™ 마법사에서는 사용자가 만든 테마팩의 저작권 보호를 위해 테마팩 기본 정보를 "
                       "입력할 수 있도록 하였습니다. 아래의 빈칸을 모두 빠짐없이 채워 주시기 바랍니다."),
        "text", InputYourInfoBox));
    text->addWidget(style::label(QStringLiteral("( 이 부분은 옵션 부분 입니다. 꼭 입력 하실 필요는 없습니다. )"),
                                 "note", InputYourInfoBox));
    text->addSpacing(6);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(10);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const struct
    {
        QLineEdit *frmMain::*member;
        const char *name;
        const char *label;
    } fields[] = {
        {&frmMain::txtboxThemeName, "txtboxThemeName", "테마팩 이름 :"},
        {&frmMain::txtboxThemeMakerName, "txtboxThemeMakerName", "테마팩 제작자 :"},
        {&frmMain::txtboxThemeMakerHomePage, "txtboxThemeMakerHomePage", "테마팩 제작자 홈페이지 :"},
    };
    for (const auto &field : fields) {
        auto *edit = new QLineEdit(InputYourInfoBox);
        edit->setObjectName(QLatin1String(field.name));
        this->*field.member = edit;
        auto *label = style::label(QString::fromUtf8(field.label), "text", InputYourInfoBox);
        label->setWordWrap(false);
        label->setBuddy(edit);
        form->addRow(label, edit);
    }
    text->addLayout(form);
    text->addStretch();
    body->addLayout(text, 1);
    layout->addLayout(body, 1);

    auto *nav = navRow(InputYourInfoBox, layout);
    nav->addStretch();
    cmdBack[2] = style::button(QStringLiteral("이전"), "cmdBack", InputYourInfoBox);
    cmdMake = style::button(QStringLiteral("만들기"), "cmdMake", InputYourInfoBox, true);
    cmdCancel[5] = style::button(QStringLiteral("취소"), "cmdCancel", InputYourInfoBox);
    nav->addWidget(cmdBack[2]);
    nav->addWidget(cmdMake);
    nav->addWidget(cmdCancel[5]);
}

void frmMain::buildThankYouBox()
{
    ThankYouBox = makePage("ThankYouBox");
    auto *layout = pageLayout(ThankYouBox);
    auto *body = new QHBoxLayout;
    body->setSpacing(20);
    imgAmbrelLogo[2] = logoBanner(ThankYouBox);
    body->addWidget(imgAmbrelLogo[2]);
    auto *text = new QVBoxLayout;
    text->setSpacing(14);
    text->addWidget(style::label(QStringLiteral("테마팩 제작을 마쳤습니다."), "title", ThankYouBox));
    text->addWidget(style::label(
        QStringLiteral("Prismel™ 마법사가 사용자가 요청한 테마팩 제작 작업을 성공적으로 수행 및 제작 완료 "
                       "하였습니다. 생성된 테마팩은 폴더를 압축하여 인터넷에 배포하거나 Vorlen™ 에 적용하여 "
                       "사용하실 수 있습니다."),
        "text", ThankYouBox));
    // Which pack was made and where it went: on Linux the application folder may be
    // the per-user data folder.
    lblThemePackName = style::label(QString(), "footer", ThankYouBox);
    lblThemePackName->setObjectName(QStringLiteral("lblThemePackName"));
    lblThemePackName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->addWidget(lblThemePackName);
    lblThemePackFolder = style::label(QString(), "footer", ThankYouBox);
    lblThemePackFolder->setObjectName(QStringLiteral("lblThemePackFolder"));
    lblThemePackFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->addWidget(lblThemePackFolder);
    text->addStretch();
    text->addWidget(style::label(QStringLiteral("Brenmor® Corporation 소프트웨어를 사용해 주셔서 감사 드립니다."),
                                 "heading", ThankYouBox));
    body->addLayout(text, 1);
    layout->addLayout(body, 1);

    auto *nav = navRow(ThankYouBox, layout);
    nav->addStretch();
    cmdOK[6] = style::button(QStringLiteral("확인"), "cmdOK", ThankYouBox, true);
    nav->addWidget(cmdOK[6]);
}

} // namespace prismel
