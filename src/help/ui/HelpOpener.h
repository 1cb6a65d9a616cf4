#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// Opens the help document in the system's viewer without waiting for it.
// The way a URL is opened is injectable, so tests check what would be opened.
class HelpOpener final
{
public:
    using UrlOpener = std::function<bool(const QUrl &)>;

    explicit HelpOpener(QString programDir, UrlOpener opener = systemOpener());

    // False when the document is missing or no viewer took it; the caller tells the user.
    bool open() const;
    QString documentPath() const;

    static UrlOpener systemOpener();

private:
    QString m_programDir;
    UrlOpener m_opener;
};
