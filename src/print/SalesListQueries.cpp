#include "print/SalesListQueries.h"

#include "db/Dataset.h"
#include "print/PrintError.h"

using namespace Qt::StringLiterals;

void openSalesListQueries(Dataset &hqry, Dataset &dqry, const QString &cid)
{
    if (cid.trimmed().isEmpty())
        throw PrintError(u"当前发票还没有保存，没有可打印的销货清单。请先保存发票。"_s);
    hqry.close();
    hqry.setSql({u"select * from title"_s, u"where cid=:pno"_s});
    hqry.setParameter(u"pno"_s, cid);
    hqry.open();
    dqry.close();
    dqry.setSql({u"select * from detail"_s, u"where cid=:pno1"_s, u"order by id"_s});
    dqry.setParameter(u"pno1"_s, cid);
    dqry.open();
    if (hqry.isEmpty())
        throw PrintError(u"没有编号为 %1 的发票。"_s.arg(cid));
}
