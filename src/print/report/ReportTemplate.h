#pragma once

#include "ForeignXml.h"
#include "ReportBand.h"

#include <QObject>
#include <QPageLayout>
#include <QSizeF>
#include <QUndoStack>
#include <memory>
#include <vector>

// The sheet: its size as the printer takes it in (A4 is 210 x 297; a continuous invoice
// form may be 241 wide and 140 high), how the page is turned on it, and the margins that
// bound the flow of data rows.
struct PageSetup
{
    double paperWidth = 210;
    double paperHeight = 297;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginLeft = 10;
    double marginTop = 10;
    double marginRight = 10;
    double marginBottom = 10;

    // The page as laid out and designed, in mm: the paper, turned a quarter for landscape.
    QSizeF size() const;
    // For printers and PDF: the paper, its orientation, zero margins (objects carry their
    // own positions from the paper's edge).
    QPageLayout pageLayout() const;
    bool operator==(const PageSetup &) const = default;
};

// A report template: one page design with its bands. Edits go through setters that emit
// changed() and raise version(), so views and undo commands can follow them; the undo
// stack lives here so that every editor of this template shares it.
class ReportTemplate final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportTemplate)
public:
    explicit ReportTemplate(QObject *parent = nullptr);
    ~ReportTemplate() override;

    const PageSetup &page() const { return m_page; }
    void setPage(const PageSetup &page);

    const std::vector<std::unique_ptr<ReportBand>> &bands() const { return m_bands; }
    int indexOf(const ReportBand *band) const;
    // Takes ownership; index -1 appends. Throws ReportError if one of its objects' names
    // is already taken.
    ReportBand *insertBand(int index, std::unique_ptr<ReportBand> band);
    ReportBand *addBand(std::unique_ptr<ReportBand> band)
    {
        return insertBand(-1, std::move(band));
    }
    std::unique_ptr<ReportBand> takeBand(ReportBand *band);
    // The first band of the type, nullptr if none.
    ReportBand *firstBand(BandType type) const;
    // The band objects without a band of their own go into: the first fixed band, made
    // (covering the page) when there is none.
    ReportBand *fixedBand();

    // By name, letter case ignored; nullptr if absent.
    ReportObject *findObject(const QString &name) const;
    ReportObject *object(ObjectId id) const;
    std::vector<ReportObject *> objects() const; // in band order, then drawing order
    bool isNameFree(const QString &name, const ReportObject *except = nullptr) const;
    // prefix1, prefix2, ... : the first that is free.
    QString uniqueName(const QString &prefix) const;

    // Raised by every edit; lets a view or a save prompt tell whether anything changed.
    quint64 version() const { return m_version; }
    QUndoStack *undoStack() { return &m_undoStack; }

    ForeignXml &foreign() { return m_foreign; }
    const ForeignXml &foreign() const { return m_foreign; }
    ForeignXml &pageForeign() { return m_pageForeign; }
    const ForeignXml &pageForeign() const { return m_pageForeign; }

signals:
    void changed();                           // after any edit below
    void objectChanged(ReportObject *object); // a property of the object
    void objectAdded(ReportObject *object);
    void objectRemoved(ObjectId id);    // the object now belongs to the caller
    void bandChanged(ReportBand *band); // type, position, size or dataset
    void bandsChanged();                // a band added, removed or reordered
    void pageChanged();

private:
    friend class ReportObject;
    friend class ReportBand;
    void objectEdited(ReportObject *object);
    void bandEdited(ReportBand *band);
    void adopt(ReportBand *band, ReportObject *object);
    void release(ReportObject *object);
    void bump();

    PageSetup m_page;
    std::vector<std::unique_ptr<ReportBand>> m_bands;
    ObjectId m_nextId = 1;
    quint64 m_version = 0;
    QUndoStack m_undoStack;
    ForeignXml m_foreign;
    ForeignXml m_pageForeign;
};
