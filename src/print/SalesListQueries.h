#pragma once

#include <QString>

class Dataset;

// Points the report queries at one stored invoice: hqry at its header row, dqry at its
// lines in the order they were stored, and opens both. The list shows what is stored, so a
// header that has never been written (no cid yet) or a cid that names no invoice throws
// PrintError rather than printing an empty list.
void openSalesListQueries(Dataset &hqry, Dataset &dqry, const QString &cid);
