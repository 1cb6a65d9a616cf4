#include "app/ErrorGuard.h"

#include "app/Prompt.h"
#include "db/DatabaseError.h"

QString ErrorGuard::boxText(const QString &message)
{
    const QString text = message.trimmed();
    if (text.endsWith(u'.') || text.endsWith(u'。'))
        return text;
    return text + u'.';
}

void ErrorGuard::report(std::exception_ptr error) noexcept
{
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const DatabaseError &e) {
        message = e.message();
    } catch (const std::exception &e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("未知错误");
    }
    try {
        m_prompt.error(boxText(message));
    } catch (...) {
        // A failing error box must not take the program down with it.
    }
}
