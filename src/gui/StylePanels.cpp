#include "gui/StylePanels.h"

#include "controls/NumberEdit.h"
#include "gui/StyleBinder.h"
#include "session/AppController.h"
#include "sheet/PaperList.h"
#include "sheet/PrintJob.h"
#include "symbol/BarTypes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace korbena {

namespace {

const QString kClickHint = QStringLiteral("クリックして指定します");
constexpr int kFieldWidth = 72;

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A read-only text shown in a sunken box, as the font face and paper name are.
QLabel* sunkenLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumHeight(22);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return label;
}

// The style field a numeric field edits, none for the copy count.
constexpr const char* kFieldProperty = "styleField";

std::optional<StyleField> fieldOf(const QObject* edit)
{
    const QVariant field = edit->property(kFieldProperty);
    if (!field.isValid())
        return std::nullopt;
    return static_cast<StyleField>(field.toInt());
}

QWidget* scrolled(QWidget* page)
{
    auto* area = new QScrollArea;
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

// The copy count as the job reads it: its integer part, within what a job makes.
long long copyCount(Extended value)
{
    if (!(value > -1))
        return std::isnan(value) ? 1 : -1;
    return static_cast<long long>(std::trunc(std::min<Extended>(value, kMaxCopies)));
}

} // namespace

StylePanels::StylePanels(AppController& controller, QTabWidget& tabs)
    : QObject(&tabs), m_controller(controller), m_tabs(tabs)
{
    m_binder = new StyleBinder(controller, this);
    const auto oldPage = [&](const QString& name) {
        for (int i = 0; i < tabs.count(); ++i) {
            if (tabs.tabText(i) == name)
                return tabs.widget(i);
        }
        return static_cast<QWidget*>(nullptr);
    };
    QWidget* oldBarcode = oldPage(QStringLiteral("バーコード設定"));
    QWidget* oldSheet = oldPage(QStringLiteral("シート設定"));
    QWidget* redraw = oldBarcode ? oldBarcode->findChild<QPushButton*>() : nullptr;
    QWidget* paperName = oldSheet ? oldSheet->findChild<QLabel*>(QStringLiteral("paper_size")) : nullptr;

    replacePage(QStringLiteral("バーコード設定"), barcodePage(redraw));
    replacePage(QStringLiteral("フォント設定"), fontPage());
    replacePage(QStringLiteral("シート設定"), sheetPage(paperName));
    replacePage(QStringLiteral("注意事項"), cautionPage());
    // Every tab's caption stays readable however narrow the splitter makes the tabs.
    tabs.setMinimumWidth(tabs.tabBar()->sizeHint().width() + 8);
    m_binder->fill();
}

StylePanels::~StylePanels() = default;

void StylePanels::replacePage(const QString& name, QWidget* page)
{
    page->setObjectName(name);
    for (int i = 0; i < m_tabs.count(); ++i) {
        if (m_tabs.tabText(i) != name)
            continue;
        QWidget* old = m_tabs.widget(i);
        m_tabs.removeTab(i);
        m_tabs.insertTab(i, scrolled(page), name);
        delete old;
        return;
    }
    m_tabs.addTab(scrolled(page), name);
}

bool StylePanels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return m_controller.enterKeyCommand(fieldOf(watched));
    }
    return QObject::eventFilter(watched, event);
}

NumberEdit* StylePanels::number(std::optional<StyleField> field, QWidget* parent)
{
    auto* edit = new NumberEdit(parent);
    edit->setFixedWidth(kFieldWidth);
    edit->installEventFilter(this);
    // Up and Down step the value by 1, as the arrow buttons do.
    edit->SetAllowKeys(true);
    // A text that does not read is said at once, never left showing a number the style does not hold.
    connect(edit, &NumberEdit::conversionError, this,
            [this](const QString& message) { m_controller.inputErrorCommand(message); });
    if (field) {
        edit->setProperty(kFieldProperty, static_cast<int>(*field));
        m_binder->bind(*field, edit);
    } else {
        edit->setObjectName(QStringLiteral("xcopy"));
    }
    return edit;
}

void StylePanels::pairRow(QGridLayout* grid, int row, const QString& text, StyleField x, StyleField y)
{
    QWidget* parent = grid->parentWidget();
    grid->addWidget(caption(text, parent), row, 0);
    grid->addWidget(number(x, parent), row, 1);
    grid->addWidget(number(y, parent), row, 2);
    auto* pad = new QHBoxLayout;
    pad->setSpacing(1);
    const std::pair<const char*, NudgeArrow> arrows[4] = {
        {"↑", NudgeArrow::Up}, {"↓", NudgeArrow::Down}, {"←", NudgeArrow::Left}, {"→", NudgeArrow::Right}};
    for (const auto& [text, arrow] : arrows) {
        // The vertical arrows move the Y field, the horizontal ones the X field.
        const StyleField field = arrow == NudgeArrow::Up || arrow == NudgeArrow::Down ? y : x;
        auto* button = new QToolButton(parent);
        button->setObjectName(nudgeButtonId(field, arrow));
        button->setText(QString::fromUtf8(text));
        button->setFixedSize(24, 24);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, field, arrow = arrow] {
            m_controller.nudgeCommand(field, arrow, QGuiApplication::keyboardModifiers());
        });
        pad->addWidget(button);
    }
    pad->addStretch();
    grid->addLayout(pad, row, 3);
}

namespace {

// A radio group whose buttons' ids are the indexes of the style field.
QGroupBox* radioGroup(const QString& title, std::initializer_list<const char*> items, QButtonGroup*& buttons,
                      QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* row = new QHBoxLayout(box);
    buttons = new QButtonGroup(box);
    int id = 0;
    for (const char* item : items) {
        auto* radio = new QRadioButton(QString::fromUtf8(item), box);
        buttons->addButton(radio, id++);
        row->addWidget(radio);
    }
    row->addStretch();
    return box;
}

QGridLayout* groupGrid(QGroupBox* box)
{
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    // One caption width on every tab, so the fields of all groups stand in one column.
    grid->setColumnMinimumWidth(0, box->fontMetrics().horizontalAdvance(QStringLiteral("2行目の間隔(mm)：")) +
                                       4);
    grid->setColumnStretch(4, 1);
    return grid;
}

} // namespace

QWidget* StylePanels::barcodePage(QWidget* redrawButton)
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    if (redrawButton) {
        auto* top = new QHBoxLayout;
        redrawButton->setParent(page);
        top->addWidget(redrawButton);
        top->addStretch();
        column->addLayout(top);
    }

    auto* kind = new QGroupBox(QStringLiteral("バーコードの種類"), page);
    QGridLayout* grid = groupGrid(kind);
    auto* type = new QComboBox(kind);
    for (const char* name : kBarTypeNames)
        type->addItem(QLatin1String(name));
    type->setMinimumWidth(2 * kFieldWidth);
    m_binder->bind(StyleField::Symbology, type);
    grid->addWidget(caption(QStringLiteral("種類："), kind), 0, 0);
    grid->addWidget(type, 0, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("スタート："), kind), 1, 0);
    grid->addWidget(caption(QStringLiteral("ストップ："), kind), 2, 0);
    for (const auto& [field, row] :
         {std::pair{StyleField::StartChar, 1}, std::pair{StyleField::StopChar, 2}}) {
        auto* list = new QComboBox(kind);
        list->setFixedWidth(kFieldWidth);
        m_binder->bind(field, list);
        grid->addWidget(list, row, 1);
    }
    QButtonGroup* check = nullptr;
    grid->addWidget(radioGroup(QStringLiteral("チェックディジット"), {"使用する", "使用しない"}, check, kind),
                    3, 0, 1, 4);
    m_binder->bind(StyleField::CheckDigit, check);
    column->addWidget(kind);

    auto* place = new QGroupBox(QStringLiteral("バーコードの位置"), page);
    grid = groupGrid(place);
    pairRow(grid, 0, QStringLiteral("位置(X,Y mm)："), StyleField::SymbolX, StyleField::SymbolY);
    pairRow(grid, 1, QStringLiteral("サイズ(X,Y mm)"), StyleField::SymbolWidth, StyleField::SymbolHeight);
    QButtonGroup* resize = nullptr;
    grid->addWidget(radioGroup(QStringLiteral("サイズ変更"), {"しない", "する"}, resize, place), 2, 0, 1, 4);
    m_binder->bind(StyleField::SizeMode, resize);
    column->addWidget(place);
    column->addWidget(matrixGroup(page));
    column->addStretch();
    return page;
}

QWidget* StylePanels::matrixGroup(QWidget* page)
{
    auto* box = new QGroupBox(QStringLiteral("2次元コード (QR, DATAMATRIX, PDF417, GS1-128)"), page);
    QGridLayout* grid = groupGrid(box);
    grid->addWidget(caption(QStringLiteral("QR誤り訂正："), box), 0, 0);
    auto* ecc = new QComboBox(box);
    ecc->addItems({QStringLiteral("L (7%)"), QStringLiteral("M (15%)"), QStringLiteral("Q (25%)"),
                   QStringLiteral("H (30%)")});
    ecc->setMinimumWidth(2 * kFieldWidth);
    m_binder->bind(StyleField::QrErrorCorrection, ecc);
    grid->addWidget(ecc, 0, 1);
    grid->addWidget(caption(QStringLiteral("モジュール(mm)："), box), 1, 0);
    grid->addWidget(number(StyleField::ModuleSize, box), 1, 1);
    QButtonGroup* shape = nullptr;
    QGroupBox* shapeBox = radioGroup(QStringLiteral("DATAMATRIXの形"), {"正方形", "長方形"}, shape, box);
    shapeBox->setObjectName(QStringLiteral("symbol.dataMatrixShape"));
    grid->addWidget(shapeBox, 2, 0, 1, 4);
    m_binder->bind(StyleField::DataMatrixShape, shape);
    auto* gs1 = new QCheckBox(QStringLiteral("GS1 (QR, DATAMATRIX)"), box);
    m_binder->bind(StyleField::Gs1Mode, gs1);
    grid->addWidget(gs1, 3, 0, 1, 3);
    return box;
}

QWidget* StylePanels::textGroup(bool title)
{
    const auto name = [title](const char* control) {
        return QString::fromLatin1(title ? "t_" : "b_") + QLatin1String(control);
    };
    using enum StyleField;
    const auto key = [title](StyleField titleField, StyleField numberField) {
        return title ? titleField : numberField;
    };
    const TextRole role = title ? TextRole::Title : TextRole::BarcodeNumber;
    auto* group =
        new QGroupBox(title ? QStringLiteral("タイトルのフォント") : QStringLiteral("バーコードのフォント"));
    QGridLayout* grid = groupGrid(group);

    grid->addWidget(caption(QStringLiteral("フォント："), group), 0, 0);
    QLabel* face = sunkenLabel("", group);
    m_binder->bind(key(TitleFontName, NumberFontName), face);
    grid->addWidget(face, 0, 1, 1, 2);
    auto* choose = new QPushButton(QStringLiteral("選択"), group);
    choose->setObjectName(name("select"));
    connect(choose, &QPushButton::clicked, this, [this, role] { m_controller.fontCommand(role); });
    grid->addWidget(choose, 0, 3, Qt::AlignLeft);

    grid->addWidget(caption(QStringLiteral("スタイル："), group), 1, 0);
    QLabel* styleName = sunkenLabel("", group);
    m_binder->bind(key(TitleFontStyle, NumberFontStyle), styleName);
    grid->addWidget(styleName, 1, 1);
    auto* sizeRow = new QHBoxLayout;
    QLabel* size = sunkenLabel("", group);
    size->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_binder->bind(key(TitleFontSize, NumberFontSize), size);
    sizeRow->addWidget(size);
    sizeRow->addWidget(new QLabel(QStringLiteral("pt"), group));
    grid->addLayout(sizeRow, 1, 2);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QStringLiteral("色："), group));
    auto* color = new ColorSwatch(group);
    color->setToolTip(kClickHint);
    m_binder->bind(key(TitleColor, NumberColor), color);
    connect(color, &ColorSwatch::clicked, this, [this, role] { m_controller.textColorCommand(role); });
    colorRow->addWidget(color);
    colorRow->addStretch();
    grid->addLayout(colorRow, 1, 3);

    pairRow(grid, 2, QStringLiteral("位置(X,Y mm)："), key(TitleX, NumberX), key(TitleY, NumberY));
    pairRow(grid, 3, QStringLiteral("影位置(X,Y mm)："), key(TitleShadowX, NumberShadowX),
            key(TitleShadowY, NumberShadowY));

    grid->addWidget(caption(QStringLiteral("影色："), group), 4, 0);
    auto* shadowColor = new ColorSwatch(group);
    shadowColor->setToolTip(kClickHint);
    m_binder->bind(key(TitleShadowColor, NumberShadowColor), shadowColor);
    connect(shadowColor, &ColorSwatch::clicked, this,
            [this, role] { m_controller.shadowColorCommand(role); });
    grid->addWidget(shadowColor, 4, 1, Qt::AlignLeft);

    grid->addWidget(caption(QStringLiteral("文字間："), group), 5, 0);
    grid->addWidget(number(key(TitlePitch, NumberPitch), group), 5, 1);
    int row = 6;
    if (title) {
        grid->addWidget(caption(QStringLiteral("2行目の間隔(mm)："), group), row, 0);
        grid->addWidget(number(TitleSecondLineY, group), row, 1);
        ++row;
    }

    QButtonGroup* writing = nullptr;
    grid->addWidget(radioGroup(QStringLiteral("文字種類"), {"横書き", "縦書き"}, writing, group), row, 0, 1,
                    2);
    m_binder->bind(key(TitleVertical, NumberVertical), writing);
    auto* switches = new QVBoxLayout;
    auto* center = new QCheckBox(QStringLiteral("センタリング"), group);
    m_binder->bind(key(TitleCentred, NumberCentred), center);
    auto* hide = new QCheckBox(QStringLiteral("印刷しない"), group);
    m_binder->bind(key(TitlePrinted, NumberPrinted), hide);
    switches->addWidget(center);
    switches->addWidget(hide);
    grid->addLayout(switches, row, 2, 1, 2);
    return group;
}

QWidget* StylePanels::fontPage()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    QWidget* title = textGroup(true);
    QWidget* number = textGroup(false);
    title->setParent(page);
    number->setParent(page);
    column->addWidget(title);
    column->addWidget(number);
    column->addStretch();
    return page;
}

QWidget* StylePanels::sheetPage(QWidget* paperName)
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);

    auto* count = new QGroupBox(QStringLiteral("バーコードの枚数"), page);
    QGridLayout* grid = groupGrid(count);
    grid->addWidget(caption(QStringLiteral("枚数(横)："), count), 0, 0);
    grid->addWidget(number(StyleField::LabelsAcross, count), 0, 1);
    grid->addWidget(caption(QStringLiteral("枚数(縦)："), count), 1, 0);
    grid->addWidget(number(StyleField::LabelsDown, count), 1, 1);
    pairRow(grid, 2, QStringLiteral("間隔(X,Y mm)："), StyleField::PitchX, StyleField::PitchY);
    column->addWidget(count);

    auto* adjust = new QGroupBox(QStringLiteral("全体位置調整"), page);
    grid = groupGrid(adjust);
    pairRow(grid, 0, QStringLiteral("調整(X,Y mm)："), StyleField::OffsetX, StyleField::OffsetY);
    column->addWidget(adjust);

    auto* paper = new QGroupBox(QStringLiteral("用紙"), page);
    grid = groupGrid(paper);
    grid->setColumnStretch(1, 1);
    grid->addWidget(caption(QStringLiteral("用紙サイズ："), paper), 0, 0);
    if (!paperName) {
        auto* label = sunkenLabel("paper_size", paper);
        label->setToolTip(QStringLiteral("用紙設定アイコンで指定します"));
        connect(&m_controller, &AppController::paperChanged, label, &QLabel::setText);
        paperName = label;
    }
    paperName->setParent(paper);
    grid->addWidget(paperName, 0, 1, 1, 4);
    // The paper list itself is hidden: the printer setup dialog chooses the paper.
    auto* papers = new QComboBox(paper);
    for (const std::string_view name : PaperList)
        papers->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    papers->hide();
    m_binder->bind(StyleField::Paper, papers);
    QButtonGroup* orientation = nullptr;
    grid->addWidget(radioGroup(QStringLiteral("用紙向き"), {"縦", "横"}, orientation, paper), 1, 0, 1, 5);
    m_binder->bind(StyleField::Orientation, orientation);
    column->addWidget(paper);

    auto* print = new QGroupBox(QStringLiteral("印刷"), page);
    grid = groupGrid(print);
    grid->addWidget(caption(QStringLiteral("印刷枚数："), print), 0, 0);
    m_copies = number(std::nullopt, print);
    m_copies->SetValue(static_cast<Extended>(m_controller.copies()));
    const auto takeCopies = [this] { m_controller.setCopies(copyCount(m_copies->Value())); };
    connect(m_copies, &NumberEdit::changed, this, takeCopies);
    connect(m_copies, &NumberEdit::exited, this, takeCopies);
    auto* row = new QHBoxLayout;
    row->setSpacing(1);
    row->addWidget(m_copies);
    auto* upDown = new QVBoxLayout;
    upDown->setSpacing(0);
    for (const auto& [text, step] : {std::pair{"▲", 1}, std::pair{"▼", -1}}) {
        auto* button = new QToolButton(print);
        button->setText(QString::fromUtf8(text));
        button->setObjectName(step > 0 ? QStringLiteral("xcopyUp") : QStringLiteral("xcopyDown"));
        button->setFixedSize(18, 12);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, step = step] {
            const long long next = std::clamp<long long>(copyCount(m_copies->Value()) + step, 0, kMaxCopies);
            m_copies->SetValue(static_cast<Extended>(next));
            m_controller.setCopies(next);
        });
        upDown->addWidget(button);
    }
    row->addLayout(upDown);
    grid->addLayout(row, 0, 1, Qt::AlignLeft);
    startLabelRow(grid, 0, 2);
    column->addWidget(print);
    column->addStretch();
    return page;
}

void StylePanels::startLabelRow(QGridLayout* grid, int row, int column)
{
    QWidget* group = grid->parentWidget();
    grid->addWidget(caption(QStringLiteral("開始位置："), group), row, column);
    // Not a style field: the label of a partly used sheet belongs to this run only.
    auto* edit = new NumberEdit(group);
    edit->setObjectName(QStringLiteral("xstart"));
    edit->setFixedWidth(kFieldWidth / 2);
    edit->setToolTip(QStringLiteral("使いかけのシートの何枚目のラベルから印刷するか"));
    edit->SetMin(1);
    edit->SetLimit(true);
    edit->SetAllowKeys(true);
    connect(edit, &NumberEdit::conversionError, this,
            [this](const QString& message) { m_controller.inputErrorCommand(message); });
    edit->SetValue(m_controller.startLabel());
    auto* range = new QLabel(group);
    range->setObjectName(QStringLiteral("xstartRange"));
    const auto showRange = [this, edit, range] {
        const int labels = std::max(cellsPerPage(m_controller.style()), 1);
        edit->SetMax(labels);
        range->setText(QStringLiteral("（1～%1）").arg(labels));
        // Showing the held value is no edit: it must not redraw in the middle of a load.
        const QSignalBlocker quiet(edit);
        if (edit->IntValue() != m_controller.startLabel())
            edit->SetValue(m_controller.startLabel());
    };
    showRange();
    connect(&m_controller, &AppController::styleChanged, range, showRange);
    const auto take = [this, edit] {
        const Extended value = edit->Value();
        if (value >= 1)
            m_controller.setStartLabel(static_cast<int>(std::min<Extended>(value, DataList::kMaxRowCount)));
    };
    connect(edit, &NumberEdit::changed, this, take);
    connect(edit, &NumberEdit::exited, this, [take, showRange] {
        take();
        showRange(); // a number beyond the sheet shows as the label it is held to
    });
    auto* pair = new QHBoxLayout;
    pair->setSpacing(2);
    pair->addWidget(edit);
    pair->addWidget(range);
    grid->addLayout(pair, row, column + 1, Qt::AlignLeft);
}

QWidget* StylePanels::cautionPage()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* note = new QPlainTextEdit(page);
    note->setObjectName(QStringLiteral("Memo1"));
    note->setReadOnly(true);
    note->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A face whose Latin letters are half the width of its kana, so the columns line up.
    QFont fixed(QStringLiteral("IPAGothic"));
    fixed.setStyleHint(QFont::Monospace);
    note->setFont(fixed);
    note->setPlainText(cautionNote());
    column->addWidget(note);
    return page;
}

} // namespace korbena
