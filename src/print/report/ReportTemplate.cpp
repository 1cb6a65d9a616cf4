#include "ReportTemplate.h"

#include "ReportError.h"

#include <QPageSize>
#include <algorithm>

QSizeF PageSetup::size() const
{
    return orientation == QPageLayout::Landscape ? QSizeF(paperHeight, paperWidth)
                                                 : QSizeF(paperWidth, paperHeight);
}

QPageLayout PageSetup::pageLayout() const
{
    return QPageLayout(QPageSize(QSizeF(paperWidth, paperHeight), QPageSize::Millimeter),
                       orientation, QMarginsF(), QPageLayout::Millimeter, QMarginsF());
}

ReportTemplate::ReportTemplate(QObject *parent) : QObject(parent)
{}

ReportTemplate::~ReportTemplate()
{
    // Commands on the stack may hold objects taken out of this template.
    m_undoStack.clear();
}

void ReportTemplate::bump()
{
    ++m_version;
    emit changed();
}

void ReportTemplate::setPage(const PageSetup &page)
{
    if (page == m_page)
        return;
    m_page = page;
    emit pageChanged();
    bump();
}

int ReportTemplate::indexOf(const ReportBand *band) const
{
    auto found = std::find_if(m_bands.begin(), m_bands.end(),
                              [band](const auto &own) { return own.get() == band; });
    return found == m_bands.end() ? -1 : int(found - m_bands.begin());
}

ReportBand *ReportTemplate::insertBand(int index, std::unique_ptr<ReportBand> band)
{
    for (const auto &object : band->objects()) {
        if (!isNameFree(object->name()))
            throw ReportError(QStringLiteral("对象名称“%1”已被使用").arg(object->name()));
    }
    if (index < 0 || index > int(m_bands.size()))
        index = int(m_bands.size());
    ReportBand *raw = band.get();
    raw->m_owner = this;
    m_bands.insert(m_bands.begin() + index, std::move(band));
    for (const auto &object : raw->objects()) {
        if (object->m_id == 0)
            object->m_id = m_nextId++;
    }
    emit bandsChanged();
    bump();
    return raw;
}

std::unique_ptr<ReportBand> ReportTemplate::takeBand(ReportBand *band)
{
    const int index = indexOf(band);
    if (index < 0)
        return nullptr;
    std::unique_ptr<ReportBand> own = std::move(m_bands[size_t(index)]);
    m_bands.erase(m_bands.begin() + index);
    own->m_owner = nullptr;
    emit bandsChanged();
    bump();
    return own;
}

ReportBand *ReportTemplate::firstBand(BandType type) const
{
    auto found = std::find_if(m_bands.begin(), m_bands.end(),
                              [type](const auto &band) { return band->type() == type; });
    return found == m_bands.end() ? nullptr : found->get();
}

ReportBand *ReportTemplate::fixedBand()
{
    if (ReportBand *band = firstBand(BandType::Fixed))
        return band;
    auto band = std::make_unique<ReportBand>(BandType::Fixed);
    band->setTop(0);
    band->setHeight(m_page.size().height());
    return insertBand(0, std::move(band));
}

ReportObject *ReportTemplate::findObject(const QString &name) const
{
    for (const auto &band : m_bands) {
        for (const auto &object : band->objects()) {
            if (object->name().compare(name, Qt::CaseInsensitive) == 0)
                return object.get();
        }
    }
    return nullptr;
}

ReportObject *ReportTemplate::object(ObjectId id) const
{
    for (const auto &band : m_bands) {
        for (const auto &object : band->objects()) {
            if (object->id() == id)
                return object.get();
        }
    }
    return nullptr;
}

std::vector<ReportObject *> ReportTemplate::objects() const
{
    std::vector<ReportObject *> all;
    for (const auto &band : m_bands) {
        for (const auto &object : band->objects())
            all.push_back(object.get());
    }
    return all;
}

bool ReportTemplate::isNameFree(const QString &name, const ReportObject *except) const
{
    const ReportObject *found = findObject(name);
    return !found || found == except;
}

QString ReportTemplate::uniqueName(const QString &prefix) const
{
    for (int n = 1;; ++n) {
        const QString name = prefix + QString::number(n);
        if (isNameFree(name))
            return name;
    }
}

void ReportTemplate::objectEdited(ReportObject *object)
{
    emit objectChanged(object);
    bump();
}

void ReportTemplate::bandEdited(ReportBand *band)
{
    emit bandChanged(band);
    bump();
}

void ReportTemplate::adopt(ReportBand *, ReportObject *object)
{
    if (object->m_id == 0)
        object->m_id = m_nextId++;
    emit objectAdded(object);
    bump();
}

void ReportTemplate::release(ReportObject *object)
{
    emit objectRemoved(object->id());
    bump();
}
