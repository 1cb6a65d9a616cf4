#pragma once

#include "ForeignXml.h"
#include "ReportObject.h"

#include <QString>
#include <memory>
#include <vector>

class ReportTemplate;

enum class BandType
{
    Fixed,      // printed once, on the first page, where it was designed
    PageHeader, // on every page, where it was designed
    Data,       // once per row of its dataset, rows flowing down the page
    PageFooter, // where it was designed, on every page but the last
    Footer      // once, right after the last row
};

// A horizontal strip of the page holding objects. Its top and height are millimetres from
// the paper's top edge as designed; its objects lie inside it in page coordinates too.
// When a band is printed lower than designed (a data row, the footer), every object moves
// down by the same amount.
class ReportBand
{
public:
    explicit ReportBand(BandType type = BandType::Fixed);
    ~ReportBand();
    ReportBand(const ReportBand &) = delete;
    ReportBand &operator=(const ReportBand &) = delete;

    ReportTemplate *owner() const { return m_owner; }

    BandType type() const { return m_type; }
    void setType(BandType type);
    double top() const { return m_top; }
    void setTop(double top);
    double height() const { return m_height; }
    void setHeight(double height);
    double bottom() const { return m_top + m_height; }
    // The dataset a data band runs over, by the name the program offers it under.
    QString dataset() const { return m_dataset; }
    void setDataset(const QString &name);

    const std::vector<std::unique_ptr<ReportObject>> &objects() const { return m_objects; }
    int indexOf(const ReportObject *object) const; // -1 if not here
    // Takes ownership; index -1 appends. Throws ReportError if the name is taken.
    ReportObject *insertObject(int index, std::unique_ptr<ReportObject> object);
    ReportObject *addObject(std::unique_ptr<ReportObject> object)
    {
        return insertObject(-1, std::move(object));
    }
    // Gives the object back to the caller (it keeps its id); nullptr if it is not here.
    std::unique_ptr<ReportObject> takeObject(ReportObject *object);

    ForeignXml &foreign() { return m_foreign; }
    const ForeignXml &foreign() const { return m_foreign; }

private:
    friend class ReportTemplate;
    void notify();
    BandType m_type;
    ReportTemplate *m_owner = nullptr;
    double m_top = 0;
    double m_height = 10;
    QString m_dataset;
    std::vector<std::unique_ptr<ReportObject>> m_objects;
    ForeignXml m_foreign;
};

QString bandTypeName(BandType type);
