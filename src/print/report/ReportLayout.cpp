#include "ReportLayout.h"

#include "ReportError.h"
#include "ReportRows.h"
#include "ReportTemplate.h"
#include "TextExpression.h"
#include "entry/Money.h"

#include <QDate>
#include <map>
#include <unordered_map>

const ReportRows *ReportInputs::dataset(const QString &name) const
{
    const auto found = datasets.constFind(name.toLower());
    return found == datasets.constEnd() ? nullptr : found->get();
}

namespace {

constexpr double epsilon = 1e-6;

// Where one printing of a band goes, and which rows count as "so far" for it.
struct Placement
{
    const ReportBand *band = nullptr;
    int page = 0;
    double shift = 0;
    int row = -1;
    int pageFirstRow = 0;
    int rowsDone = 0;
};

struct Flow
{
    std::vector<Placement> rowsAndFooters;
    std::vector<int> pageFirstRow; // per page
    int rowCount = 0;
    int pageCount() const { return int(pageFirstRow.size()); }
};

// The first pass: geometry only, so the number of pages is known before any text is made.
Flow paginate(const ReportTemplate &report, const ReportBand *data, int rowCount)
{
    Flow flow;
    flow.rowCount = rowCount;
    flow.pageFirstRow.push_back(0);
    const PageSetup &page = report.page();
    const double bottom = page.size().height() - page.marginBottom;
    double rowLimit = bottom;
    for (const auto &band : report.bands()) {
        if (band->type() == BandType::PageFooter)
            rowLimit = std::min(rowLimit, band->top());
    }
    double cursor = data ? data->top() : 0;
    bool pageHasFlow = false;
    const auto newPage = [&](int firstRow) {
        flow.pageFirstRow.push_back(firstRow);
        cursor = data->top();
        pageHasFlow = false;
    };
    for (int row = 0; data && row < rowCount; ++row) {
        if (pageHasFlow && cursor + data->height() > rowLimit + epsilon)
            newPage(row);
        const int current = flow.pageCount() - 1;
        flow.rowsAndFooters.push_back({data, current, cursor - data->top(), row,
                                       flow.pageFirstRow[size_t(current)], row + 1});
        cursor += data->height();
        pageHasFlow = true;
    }
    for (const auto &band : report.bands()) {
        if (band->type() != BandType::Footer)
            continue;
        double shift = 0;
        if (data) {
            if (pageHasFlow && cursor + band->height() > bottom + epsilon)
                newPage(rowCount);
            shift = cursor - band->top();
            cursor += band->height();
            pageHasFlow = true;
        }
        const int current = flow.pageCount() - 1;
        flow.rowsAndFooters.push_back(
            {band.get(), current, shift, -1, flow.pageFirstRow[size_t(current)], rowCount});
    }
    return flow;
}

struct Context
{
    int page = 1;
    int pages = 1;
    int row = -1;
    int pageFirstRow = 0;
    int rowsDone = 0;
};

struct ResolvedPart
{
    TextPart part;
    const ReportRows *rows = nullptr;
    int column = -1;
};

struct EvaluatedText
{
    QString text;
    std::optional<double> number;
    QString pattern;
};

QString plainText(const QVariant &value)
{
    if (value.isNull())
        return {};
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (value.metaType().id() == QMetaType::QString)
        return value.toString();
    if (const std::optional<ReportNumber> number = ReportNumber::fromVariant(value))
        return number->toText();
    return value.toString();
}

bool isNumberType(const QVariant &value)
{
    return !value.isNull() && value.metaType().id() != QMetaType::QString &&
           ReportNumber::fromVariant(value).has_value();
}

// Evaluates text objects: parses each object's text once, resolves its names against
// the inputs once, and keeps running sums per column.
class Evaluator
{
public:
    Evaluator(const ReportInputs &inputs, const ReportRows *iterated, const QString &source)
        : m_inputs(inputs), m_iterated(iterated), m_source(source)
    {}

    EvaluatedText evaluate(const TextObject &object, const Context &context)
    {
        const std::vector<ResolvedPart> &parts = compiled(object);
        EvaluatedText result;
        for (const ResolvedPart &resolved : parts) {
            const QVariant value = valueOf(resolved, context, object);
            if (resolved.part.kind == TextPart::Literal) {
                result.text += resolved.part.text;
                continue;
            }
            result.text += formatted(value, resolved.part);
            if (parts.size() == 1 && isNumberType(value)) {
                result.number = ReportNumber::fromVariant(value)->toDouble();
                result.pattern = resolved.part.pattern ? resolved.part.pattern->text() : QString();
            }
        }
        return result;
    }

private:
    [[noreturn]] void fail(const TextObject &object, const QString &why) const
    {
        const QString where =
            m_source.isEmpty() ? QString() : QStringLiteral("模板“%1”：").arg(m_source);
        throw ReportError(where + QStringLiteral("对象 %1 的文本：%2").arg(object.name(), why));
    }

    const std::vector<ResolvedPart> &compiled(const TextObject &object)
    {
        auto found = m_compiled.find(&object);
        if (found != m_compiled.end())
            return found->second;
        std::vector<ResolvedPart> parts;
        try {
            for (const TextPart &part : ParsedText::parse(object.text()).parts)
                parts.push_back(resolve(part, object));
        } catch (const TextSyntaxError &error) {
            fail(object, error.message());
        }
        return m_compiled.emplace(&object, std::move(parts)).first->second;
    }

    ResolvedPart resolve(const TextPart &part, const TextObject &object) const
    {
        ResolvedPart resolved{part, nullptr, -1};
        if (part.kind == TextPart::Variable && !m_inputs.variables.contains(part.text.toLower()))
            fail(object,
                 QStringLiteral("表达式 %1：没有名为“%2”的变量").arg(part.source, part.text));
        if (part.dataset.isEmpty())
            return resolved;
        resolved.rows = m_inputs.dataset(part.dataset);
        if (!resolved.rows)
            fail(object,
                 QStringLiteral("表达式 %1：没有名为“%2”的数据集").arg(part.source, part.dataset));
        resolved.column = resolved.rows->fieldIndex(part.column);
        if (resolved.column < 0)
            fail(object, QStringLiteral("表达式 %1：数据集“%2”没有列“%3”")
                             .arg(part.source, part.dataset, part.column));
        if ((part.kind == TextPart::PageSum || part.kind == TextPart::RunSum) &&
            resolved.rows != m_iterated)
            fail(object, QStringLiteral("表达式 %1：PAGESUM 与 RUNSUM 只能用于数据带的数据集")
                             .arg(part.source));
        return resolved;
    }

    QVariant valueOf(const ResolvedPart &resolved, const Context &context, const TextObject &object)
    {
        const TextPart &part = resolved.part;
        switch (part.kind) {
        case TextPart::Literal:
            return part.text;
        case TextPart::Variable:
            return m_inputs.variables.value(part.text.toLower());
        case TextPart::Line:
            return qlonglong(context.row >= 0 ? context.row + 1 : context.rowsDone);
        case TextPart::Page:
            return qlonglong(context.page);
        case TextPart::Pages:
            return qlonglong(context.pages);
        case TextPart::Field: {
            int row = 0;
            if (resolved.rows == m_iterated)
                row = context.row >= 0 ? context.row : std::max(context.rowsDone - 1, 0);
            return row < resolved.rows->rowCount() ? resolved.rows->value(row, resolved.column)
                                                   : QVariant();
        }
        case TextPart::Sum:
            return sumValue(resolved, object, 0, resolved.rows->rowCount());
        case TextPart::PageSum:
            return sumValue(resolved, object, context.pageFirstRow, context.rowsDone);
        case TextPart::RunSum:
            return sumValue(resolved, object, 0, context.rowsDone);
        }
        return {};
    }

    // An exact sum travels as Money so that it stays exact up to the pattern.
    QVariant sumValue(const ResolvedPart &resolved, const TextObject &object, int from, int to)
    {
        const std::vector<ReportNumber> &prefix = prefixSums(resolved, object);
        const ReportNumber sum = prefix[size_t(to)] - prefix[size_t(from)];
        return sum.isExact() ? QVariant::fromValue(Money::fromRaw(sum.raw()))
                             : QVariant(sum.toDouble());
    }

    const std::vector<ReportNumber> &prefixSums(const ResolvedPart &resolved,
                                                const TextObject &object)
    {
        const auto key = std::make_pair(resolved.rows, resolved.column);
        auto found = m_prefix.find(key);
        if (found != m_prefix.end())
            return found->second;
        const int rowCount = resolved.rows->rowCount();
        std::vector<ReportNumber> prefix(size_t(rowCount) + 1);
        for (int row = 0; row < rowCount; ++row) {
            const QVariant value = resolved.rows->value(row, resolved.column);
            const std::optional<ReportNumber> number = ReportNumber::fromVariant(value);
            if (!number)
                fail(object, QStringLiteral("表达式 %1：第 %2 行的值“%3”不是数字")
                                 .arg(resolved.part.source)
                                 .arg(row + 1)
                                 .arg(value.toString()));
            prefix[size_t(row) + 1] = prefix[size_t(row)] + *number;
        }
        return m_prefix.emplace(key, std::move(prefix)).first->second;
    }

    static QString formatted(const QVariant &value, const TextPart &part)
    {
        if (!part.pattern || value.isNull())
            return plainText(value);
        const std::optional<ReportNumber> number = ReportNumber::fromVariant(value);
        return number ? part.pattern->apply(*number) : plainText(value);
    }

    const ReportInputs &m_inputs;
    const ReportRows *m_iterated;
    QString m_source;
    std::unordered_map<const TextObject *, std::vector<ResolvedPart>> m_compiled;
    std::map<std::pair<const ReportRows *, int>, std::vector<ReportNumber>> m_prefix;
};

void addItems(PlacedBand &placed, const ReportBand &band, Evaluator &evaluator,
              const Context &context)
{
    for (const auto &own : band.objects()) {
        const ReportObject &object = *own;
        if (!object.isVisible())
            continue;
        const QRectF rect = object.rect().translated(0, placed.shift);
        switch (object.kind()) {
        case ObjectKind::Text: {
            const auto &text = static_cast<const TextObject &>(object);
            EvaluatedText value = evaluator.evaluate(text, context);
            placed.texts.push_back(TextItem{
                rect, value.text, text.font(), text.hAlign(), text.vAlign(), text.wordWrap(),
                text.frameSides(), text.frameWidth(), text.name(), value.number, value.pattern});
            break;
        }
        case ObjectKind::Picture: {
            const auto &picture = static_cast<const PictureObject &>(object);
            if (picture.hasPicture())
                placed.pictures.push_back(PictureItem{rect, picture.image(), picture.keepAspect(),
                                                      picture.isBackground(), picture.name()});
            break;
        }
        case ObjectKind::Line:
            placed.lines.push_back(LineItem{QLineF(rect.topLeft(), rect.bottomRight()),
                                            static_cast<const LineObject &>(object).penWidth()});
            break;
        case ObjectKind::Frame:
            placed.boxes.push_back(
                BoxItem{rect, static_cast<const FrameObject &>(object).penWidth()});
            break;
        }
    }
}

const ReportBand *dataBand(const ReportTemplate &report, const QString &source)
{
    const ReportBand *data = nullptr;
    for (const auto &band : report.bands()) {
        if (band->type() != BandType::Data)
            continue;
        if (data)
            throw ReportError(QStringLiteral("模板“%1”有多于一个数据带，只能有一个").arg(source));
        data = band.get();
    }
    return data;
}

} // namespace

LaidOutReport layOut(const ReportTemplate &report, const ReportInputs &inputs,
                     const QString &source)
{
    LaidOutReport result;
    result.page = report.page();
    if (report.bands().empty())
        return result;
    const ReportBand *data = dataBand(report, source);
    const ReportRows *rows = nullptr;
    if (data) {
        rows = inputs.dataset(data->dataset());
        if (!rows)
            throw ReportError(QStringLiteral("模板“%1”的数据带要用的数据集“%2”不存在")
                                  .arg(source, data->dataset()));
    }
    const Flow flow = paginate(report, data, rows ? rows->rowCount() : 0);
    Evaluator evaluator(inputs, rows, source);
    const int pages = flow.pageCount();
    result.pages.resize(size_t(pages));
    size_t next = 0;
    for (int p = 0; p < pages; ++p) {
        LaidOutPage &page = result.pages[size_t(p)];
        page.size = report.page().size();
        const int first = flow.pageFirstRow[size_t(p)];
        const int end = p + 1 < pages ? flow.pageFirstRow[size_t(p) + 1] : flow.rowCount;
        const auto place = [&](const ReportBand &band, double shift, int row, int rowsDone) {
            PlacedBand placed{band.type(), row, shift, {}, {}, {}, {}};
            addItems(placed, band, evaluator, Context{p + 1, pages, row, first, rowsDone});
            page.bands.push_back(std::move(placed));
        };
        for (const auto &band : report.bands()) {
            if ((band->type() == BandType::Fixed && p == 0) || band->type() == BandType::PageHeader)
                place(*band, 0, -1, first);
        }
        for (; next < flow.rowsAndFooters.size() && flow.rowsAndFooters[next].page == p; ++next) {
            const Placement &placement = flow.rowsAndFooters[next];
            place(*placement.band, placement.shift, placement.row, placement.rowsDone);
        }
        for (const auto &band : report.bands()) {
            if (band->type() == BandType::PageFooter && p + 1 < pages)
                place(*band, 0, -1, end);
        }
    }
    return result;
}
