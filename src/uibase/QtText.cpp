#include "uibase/QtText.h"

#include <QByteArrayView>
#include <QStringDecoder>

namespace ovb {

QString ToQString(std::string_view text) {
    const QByteArrayView bytes(text.data(), qsizetype(text.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (!utf8.hasError()) return decoded;
    return QString::fromLatin1(bytes);
}

} // namespace ovb
