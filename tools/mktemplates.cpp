// Writes the first versions of the invoice and sales-list templates that an installation
// ships with; after that the user adjusts them in the designer. Also draws the blank
// invoice form as a picture, to lay an overlay printout over when checking positions.
//
//   kelvane_mktemplates <template dir> [<blank form picture.png>]

#include "print/report/PagePainter.h"
#include "print/report/ReportError.h"
#include "print/report/ReportLayout.h"
#include "print/report/ReportTemplate.h"
#include "print/report/TemplateFile.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Adds objects to one band, everything shifted by an origin so that the same form can
// lie on its own paper or in the middle of an A4 sheet.
class Builder
{
public:
    Builder(ReportTemplate &report, ReportBand *band, QPointF origin = {})
        : m_report(report), m_band(band), m_origin(origin)
    {}

    ReportBand *band() const { return m_band; }

    TextObject *text(const QString &name, double x, double y, double w, double h,
                     const QString &text, double size, HAlign align = HAlign::Left)
    {
        auto object = std::make_unique<TextObject>(name.isEmpty() ? freeName(u"lbl"_s) : name);
        object->setRect(QRectF(m_origin + QPointF(x, y), QSizeF(w, h)));
        object->setText(text);
        object->setFont(FontChoice{u"宋体"_s, size, false});
        object->setHAlign(align);
        return static_cast<TextObject *>(m_band->addObject(std::move(object)));
    }

    // A caption: fixed text drawn by the template, not a value.
    TextObject *caption(double x, double y, double w, double h, const QString &text, double size,
                        HAlign align = HAlign::Center)
    {
        return this->text(QString(), x, y, w, h, text, size, align);
    }

    void line(double x1, double y1, double x2, double y2, double pen = 0.2)
    {
        auto object = std::make_unique<LineObject>(freeName(u"line"_s));
        object->setRect(QRectF(m_origin + QPointF(x1, y1), QSizeF(x2 - x1, y2 - y1)));
        object->setPenWidth(pen);
        m_band->addObject(std::move(object));
    }

    void frame(double x, double y, double w, double h, double pen = 0.3)
    {
        auto object = std::make_unique<FrameObject>(freeName(u"frame"_s));
        object->setRect(QRectF(m_origin + QPointF(x, y), QSizeF(w, h)));
        object->setPenWidth(pen);
        m_band->addObject(std::move(object));
    }

    void picture(const QString &name, double x, double y, double w, double h)
    {
        auto object = std::make_unique<PictureObject>(name);
        object->setRect(QRectF(m_origin + QPointF(x, y), QSizeF(w, h)));
        object->setKeepAspect(false);
        object->setBackground(true);
        object->setVisible(false);
        m_band->addObject(std::move(object));
    }

private:
    QString freeName(const QString &prefix) const { return m_report.uniqueName(prefix); }

    ReportTemplate &m_report;
    ReportBand *m_band;
    QPointF m_origin;
};

ReportBand *addBand(ReportTemplate &report, BandType type, double top, double height,
                    const QString &dataset = {})
{
    auto band = std::make_unique<ReportBand>(type);
    band->setTop(top);
    band->setHeight(height);
    band->setDataset(dataset);
    return report.addBand(std::move(band));
}

QString vertical(const QString &text)
{
    return QStringList(text.split(QString(), Qt::SkipEmptyParts)).join(u'\n');
}

// The special VAT invoice form, 240 x 140 mm. The frame spans x 12..228; its rows, top to
// bottom: buyer and cipher area, column heads, eight goods lines, the sums, the total in
// words and figures, seller and remarks; the signatures lie under the frame.
namespace Form {
constexpr double width = 240;
constexpr double height = 140;
constexpr double left = 12;
constexpr double right = 228;
constexpr double top = 29;      // buyer row
constexpr double headTop = 51;  // column heads
constexpr double linesTop = 56; // first goods line
constexpr double linePitch = 4; // eight lines to 88
constexpr double sumTop = 88;   // 合计
constexpr double totalTop = 93; // 价税合计
constexpr double sellerTop = 100;
constexpr double bottom = 122;
constexpr double signTop = 124;
constexpr double partyLabel = 18; // right edge of the vertical 购货单位 / 销货单位 cell
constexpr double fieldLabel = 42; // right edge of 名称：... captions
constexpr double middle = 128;    // left edge of the vertical 密码区 / 备注 cell
constexpr double middleLabel = 134;
constexpr double partyRow = 5.5; // pitch of the four party lines

struct Column
{
    QString prefix;
    QString head;
    double x;
    double w;
    HAlign align;
};

const std::vector<Column> &columns()
{
    static const std::vector<Column> list{
        {u"H"_s, u"货物或应税劳务名称"_s, 12, 54, HAlign::Left},
        {u"G"_s, u"规格型号"_s, 66, 22, HAlign::Left},
        {u"DW"_s, u"单位"_s, 88, 12, HAlign::Center},
        {u"SL"_s, u"数量"_s, 100, 19, HAlign::Right},
        {u"DJ"_s, u"单价"_s, 119, 23, HAlign::Right},
        {u"JE"_s, u"金额"_s, 142, 36, HAlign::Right},
        {u"S"_s, u"税率"_s, 178, 12, HAlign::Center},
        {u"SE"_s, u"税额"_s, 190, 38, HAlign::Right},
    };
    return list;
}

const Column &column(const QString &prefix)
{
    for (const Column &c : columns())
        if (c.prefix == prefix)
            return c;
    throw std::logic_error("no column");
}

// Frame, rules and captions: what the pre-printed form carries.
void draw(Builder &b)
{
    b.caption(60, 7, 120, 9, u"增值税专用发票"_s, 20)->setFont(FontChoice{u"宋体"_s, 20, true});
    b.caption(95, 17, 50, 5, u"发　票　联"_s, 11);
    b.line(80, 16.5, 160, 16.5, 0.3);
    b.caption(162, 9, 12, 8, u"No"_s, 14, HAlign::Left);
    b.caption(left, 22, 16, 5, u"检验码："_s, 9, HAlign::Left);
    b.caption(158, 22, 20, 5, u"开票日期："_s, 9, HAlign::Left);

    b.frame(left, top, right - left, bottom - top, 0.4);
    for (double y : {headTop, sumTop, totalTop, sellerTop})
        b.line(left, y, right, y, y == headTop || y == sellerTop || y == totalTop ? 0.3 : 0.2);
    b.line(left, linesTop, right, linesTop, 0.2);

    const auto party = [&](double y0, const QString &who, const QString &side) {
        b.line(partyLabel, y0, partyLabel, y0 + 22);
        b.line(middle, y0, middle, y0 + 22);
        b.line(middleLabel, y0, middleLabel, y0 + 22);
        b.caption(left, y0 + 1, partyLabel - left, 20, vertical(who), 9);
        b.caption(middle, y0 + 1, middleLabel - middle, 20, vertical(side), 9);
        const QStringList labels{u"名　　称："_s, u"纳税人识别号："_s, u"地 址、电 话："_s,
                                 u"开户行及账号："_s};
        for (int i = 0; i < labels.size(); ++i)
            b.caption(partyLabel + 0.5, y0 + 0.5 + i * partyRow, fieldLabel - partyLabel, 5,
                      labels.at(i), 8.5, HAlign::Left);
    };
    party(top, u"购货单位"_s, u"密码区"_s);
    party(sellerTop, u"销货单位"_s, u"备注"_s);

    for (const Column &c : columns()) {
        b.caption(c.x, headTop, c.w, linesTop - headTop, c.head, 9);
        if (c.x > left)
            b.line(c.x, headTop, c.x, totalTop);
    }
    b.caption(left, sumTop, 54, totalTop - sumTop, u"合　　　计"_s, 9);
    b.caption(left, totalTop, 36, sellerTop - totalTop, u"价税合计（大写）"_s, 9);
    b.line(48, totalTop, 48, sellerTop);
    b.caption(49, totalTop, 5, sellerTop - totalTop, u"⊗"_s, 10);
    b.caption(150, totalTop, 16, sellerTop - totalTop, u"（小写）"_s, 9);
    b.caption(166, totalTop, 4, sellerTop - totalTop, u"¥"_s, 10);

    b.caption(left, signTop, 14, 5, u"收款人："_s, 9, HAlign::Left);
    b.caption(72, signTop, 11, 5, u"复核："_s, 9, HAlign::Left);
    b.caption(120, signTop, 14, 5, u"开票人："_s, 9, HAlign::Left);
    b.caption(172, signTop, 56, 5, u"销货单位：（章）"_s, 9, HAlign::Left);
}

// The named objects the invoice commands fill, where their values belong on the form.
void values(Builder &b)
{
    b.text(u"fpno"_s, 174, 9, 54, 8, {}, 14);
    b.text(u"jym"_s, 28, 22, 80, 5, {}, 9);
    b.text(u"kprq"_s, 178, 22, 50, 5, {}, 10);

    const auto party = [&](const QStringList &names, double y0) {
        for (int i = 0; i < names.size(); ++i)
            b.text(names.at(i), fieldLabel, y0 + 0.5 + i * partyRow, middle - fieldLabel - 1, 5, {},
                   10);
    };
    party({u"gmc"_s, u"gnsno"_s, u"gdzdh"_s, u"gyhzh"_s}, top);
    // Eight cipher lines in the area beside the buyer.
    for (int i = 0; i < 8; ++i)
        b.text(u"m%1"_s.arg(i + 1), middleLabel + 1, top + 0.6 + i * 2.6, right - middleLabel - 2,
               2.6, {}, 7.5);

    for (int line = 1; line <= 7; ++line) {
        const double y = linesTop + (line - 1) * linePitch;
        for (const Column &c : columns())
            b.text(c.prefix + QString::number(line), c.x + 0.8, y, c.w - 1.6, linePitch, {}, 9,
                   c.align);
    }
    const Column &amount = column(u"JE"_s);
    const Column &tax = column(u"SE"_s);
    b.text(u"JEHJ"_s, amount.x + 0.8, sumTop, amount.w - 1.6, totalTop - sumTop, {}, 9,
           HAlign::Right);
    b.text(u"SEHJ"_s, tax.x + 0.8, sumTop, tax.w - 1.6, totalTop - sumTop, {}, 9, HAlign::Right);
    b.text(u"DXJE"_s, 55, totalTop, 94, sellerTop - totalTop, {}, 11);
    b.text(u"XXJE"_s, 170, totalTop, right - 171, sellerTop - totalTop, {}, 11);

    party({u"Xmc"_s, u"Xnsno"_s, u"Xdzdh"_s, u"Xyhzh"_s}, sellerTop);
    for (int i = 0; i < 4; ++i)
        b.text(u"BZ%1"_s.arg(i + 1), middleLabel + 1, sellerTop + 0.5 + i * partyRow,
               right - middleLabel - 2, 5, {}, 9);
    b.text(u"SKR"_s, 26, signTop, 44, 5, {}, 10);
    b.text(u"FH"_s, 83, signTop, 35, 5, {}, 10);
    b.text(u"KPR"_s, 134, signTop, 36, 5, {}, 10);
}

} // namespace Form

PageSetup page(double width, double height, QPageLayout::Orientation orientation, double margin)
{
    PageSetup setup;
    setup.paperWidth = std::min(width, height);
    setup.paperHeight = std::max(width, height);
    setup.orientation = orientation;
    setup.marginLeft = setup.marginTop = setup.marginRight = setup.marginBottom = margin;
    return setup;
}

// zzsfp.fr3: only the values, for the pre-printed form, over an optional scan of it.
void overlayInvoice(ReportTemplate &report)
{
    report.setPage(page(Form::width, Form::height, QPageLayout::Landscape, 0));
    Builder b(report, addBand(report, BandType::Fixed, 0, Form::height));
    b.picture(u"ptc"_s, 0, 0, Form::width, Form::height);
    Form::values(b);
}

// zzsfpa4.fr3: the whole invoice, form included, full size in the middle of a landscape A4.
void a4Invoice(ReportTemplate &report)
{
    report.setPage(page(210, 297, QPageLayout::Landscape, 10));
    const QPointF origin((297 - Form::width) / 2, (210 - Form::height) / 2);
    Builder b(report, addBand(report, BandType::Fixed, 0, 210), origin);
    b.picture(u"ptc"_s, 0, 0, Form::width, Form::height);
    Form::draw(b);
    Form::values(b);
}

// The blank form by itself, as a picture to check an overlay against.
void blankForm(ReportTemplate &report)
{
    report.setPage(page(Form::width, Form::height, QPageLayout::Landscape, 0));
    Builder b(report, addBand(report, BandType::Fixed, 0, Form::height));
    Form::draw(b);
}

// The sales list on A4 portrait, margins 10 mm: a page header with both parties, the
// invoice it belongs to and the page count over the column heads; a row per line; a
// subtotal on every page but the last; the total, remarks and date after the last line.
// The overlay version puts the same values in the same cells and draws nothing, for the
// pre-printed list form.
namespace List {

struct Column
{
    QString name;
    QString head;
    double w;
    QString value; // the data row's text
    HAlign align;
};

const std::vector<Column> &columns()
{
    static const std::vector<Column> list{
        {u"xh"_s, u"序号"_s, 10, u"[LINE]"_s, HAlign::Center},
        {u"mc"_s, u"货物(劳务)名称"_s, 48, u"[ddbst.\"货物应税名称\"]"_s, HAlign::Left},
        {u"gg"_s, u"规格型号"_s, 19, u"[ddbst.\"规格型号\"]"_s, HAlign::Left},
        {u"dw"_s, u"单位"_s, 14, u"[ddbst.\"单位\"]"_s, HAlign::Left},
        {u"sl"_s, u"数量"_s, 18, u"[ddbst.\"数量\"]"_s, HAlign::Center},
        {u"dj"_s, u"单价"_s, 25, u"[ddbst.\"单价\"]"_s, HAlign::Right},
        {u"je"_s, u"金额"_s, 22, u"[ddbst.\"金额\" #,##0.00]"_s, HAlign::Right},
        {u"sv"_s, u"税率"_s, 12, u"[ddbst.\"税率\"]%"_s, HAlign::Center},
        {u"se"_s, u"税额"_s, 21, u"[ddbst.\"税额\" #,##0.00]"_s, HAlign::Right},
    };
    return list;
}

constexpr double left = 10;
constexpr double headerTop = 10;
constexpr double headerHeight = 47;
constexpr double headsTop = headerTop + 40;
constexpr double rowTop = headerTop + headerHeight;
constexpr double rowHeight = 5;
constexpr double pageFooterTop = 282; // the last 5 mm above the bottom margin
constexpr double footerHeight = 36;

double columnX(int index)
{
    double x = left;
    for (int i = 0; i < index; ++i)
        x += columns()[size_t(i)].w;
    return x;
}

// One row of cells across the list; texts by column index, the others empty.
void cells(Builder &b, const QString &prefix, double y, double h, bool framed,
           const std::map<int, QString> &texts, double size = 10)
{
    const auto &list = columns();
    for (int i = 0; i < int(list.size()); ++i) {
        const auto found = texts.find(i);
        if (!framed && found == texts.end())
            continue;
        TextObject *cell =
            b.text(prefix + list[size_t(i)].name, columnX(i) + (framed ? 0 : 0.5), y,
                   list[size_t(i)].w - (framed ? 0 : 1), h,
                   found == texts.end() ? QString() : found->second, size, list[size_t(i)].align);
        if (framed)
            cell->setFrameSides(AllSides);
    }
}

// A row of sums under the quantity, amount and tax columns, its caption in the first.
void sums(Builder &b, const QString &prefix, double y, bool overlay, const QString &caption,
          const QString &quantitySum, const QString &moneySum)
{
    std::map<int, QString> texts{{4, u"[%1(ddbst.\"数量\")]"_s.arg(quantitySum)},
                                 {6, u"[%1(ddbst.\"金额\") #,##0.00]"_s.arg(moneySum)},
                                 {8, u"[%1(ddbst.\"税额\") #,##0.00]"_s.arg(moneySum)}};
    if (!overlay)
        texts[0] = caption;
    cells(b, prefix, y, rowHeight, !overlay, texts);
}

void build(ReportTemplate &report, bool overlay)
{
    report.setPage(page(210, 297, QPageLayout::Portrait, 10));
    Builder header(report, addBand(report, BandType::PageHeader, headerTop, headerHeight));
    const auto caption = [&](double x, double y, double w, const QString &text) {
        if (!overlay)
            header.caption(x, y, w, 6, text, 12, HAlign::Left);
    };
    if (!overlay) {
        TextObject *title = header.caption(left, 12, 190, 8, u"销售货物或者提供应税劳务清单"_s, 14);
        title->setFont(FontChoice{u"宋体"_s, 14, true});
    }
    caption(left, 25, 27, u"购买方名称："_s);
    header.text(u"gmc"_s, 37, 25, 120, 6, u"[hdbst.\"购货单位名称\"]"_s, 12);
    caption(left, 32, 27, u"销售方名称："_s);
    header.text(u"xmc"_s, 37, 32, 120, 6, u"[hdbst.\"销货单位名称\"]"_s, 12);
    caption(left, 41, 52, u"所属增值税专用发票代码："_s);
    header.text(u"fpdm"_s, 62, 41, 36, 6, u"[hdbst.oth1]"_s, 12);
    caption(100, 41, 13, u"号码："_s);
    header.text(u"fphm"_s, 113, 41, 34, 6, u"[hdbst.\"发票号码\"]"_s, 12);
    caption(152, 41, 6, u"共"_s);
    header.text(u"pages"_s, 158, 41, 9, 6, u"[PAGES]"_s, 12, HAlign::Center);
    caption(167, 41, 6, u"页"_s);
    caption(176, 41, 6, u"第"_s);
    header.text(u"page"_s, 182, 41, 9, 6, u"[PAGE]"_s, 12, HAlign::Center);
    caption(191, 41, 6, u"页"_s);
    if (!overlay) {
        std::map<int, QString> heads;
        for (int i = 0; i < int(columns().size()); ++i)
            heads[i] = columns()[size_t(i)].head;
        cells(header, u"head_"_s, headsTop, 7, true, heads);
        for (const auto &c : columns())
            static_cast<TextObject *>(report.findObject(u"head_"_s + c.name))
                ->setHAlign(HAlign::Center);
    }

    Builder data(report, addBand(report, BandType::Data, rowTop, rowHeight, u"ddbst"_s));
    std::map<int, QString> row;
    for (int i = 0; i < int(columns().size()); ++i)
        row[i] = columns()[size_t(i)].value;
    cells(data, u"row_"_s, rowTop, rowHeight, !overlay, row);

    Builder pageFooter(report, addBand(report, BandType::PageFooter, pageFooterTop, rowHeight));
    // The quantity counts every line so far, the money only this page's.
    sums(pageFooter, u"sub_"_s, pageFooterTop, overlay, u"小计"_s, u"RUNSUM"_s, u"PAGESUM"_s);

    // Designed right below the first row, where it prints after a one-line list.
    const double footerTop = rowTop + rowHeight;
    Builder footer(report, addBand(report, BandType::Footer, footerTop, footerHeight));
    sums(footer, u"sum_"_s, footerTop, overlay, u"合计"_s, u"SUM"_s, u"SUM"_s);
    const double remarkTop = footerTop + rowHeight;
    const auto remarkCell = [&](const QString &name, double x, double w, const QString &label,
                                const QString &value) {
        TextObject *cell =
            footer.text(name, x + (overlay ? 1 : 0), remarkTop, w - (overlay ? 1 : 0), 12,
                        overlay ? value : label + value, 10, HAlign::Left);
        cell->setWordWrap(true);
        if (!overlay)
            cell->setFrameSides(AllSides);
    };
    if (!overlay) {
        TextObject *remark =
            footer.text(u"bz"_s, left, remarkTop, 10, 12, vertical(u"备注"_s), 10, HAlign::Center);
        remark->setFrameSides(AllSides);
    }
    remarkCell(u"dksh"_s, 20, 81, u"代开企业税号："_s, u"[hdbst.oth2]"_s);
    remarkCell(u"dkmc"_s, 101, 98, u"代开企业名称："_s, u"[hdbst.oth3]"_s);
    const double dateTop = footerTop + 25;
    if (!overlay)
        footer.caption(120, dateTop, 22, 6, u"开票日期："_s, 12, HAlign::Left);
    footer.text(u"kprq"_s, 142, dateTop, 57, 6, u"[hdbst.\"中文日期\"]"_s, 12);
}

} // namespace List

int fail(const QString &message)
{
    QTextStream(stderr) << message << Qt::endl;
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.size() > 2)
        return fail(u"usage: kelvane_mktemplates <template dir> [<blank form picture.png>]"_s);
    const QDir dir(args.at(0));
    const std::vector<std::pair<QString, std::function<void(ReportTemplate &)>>> templates{
        {u"zzsfp.fr3"_s, overlayInvoice},
        {u"zzsfpa4.fr3"_s, a4Invoice},
        {u"fpqd.fr3"_s, [](ReportTemplate &r) { List::build(r, false); }},
        {u"zyfpqd.fr3"_s, [](ReportTemplate &r) { List::build(r, true); }},
    };
    try {
        for (const auto &[name, make] : templates) {
            ReportTemplate report;
            make(report);
            TemplateFile::save(report, dir.filePath(name));
        }
        if (args.size() == 2) {
            ReportTemplate report;
            blankForm(report);
            const LaidOutReport pages = layOut(report, {});
            if (!PagePainter::render(pages.pages.front(), 150).save(args.at(1)))
                return fail(u"cannot write "_s + args.at(1));
        }
    } catch (const ReportError &error) {
        return fail(error.message());
    }
    return 0;
}
