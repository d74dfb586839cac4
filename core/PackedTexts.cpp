#include "core/PackedTexts.h"

namespace core {

PackedTexts::PackedTexts(const QStringList &texts)
{
    m_ends.reserve(size_t(texts.size()));
    for (const QString &text : texts)
        append(text.toUtf8());
}

void PackedTexts::reserve(qsizetype texts, qsizetype bytes)
{
    m_ends.reserve(size_t(texts));
    m_bytes.reserve(bytes);
}

void PackedTexts::append(QByteArrayView utf8)
{
    m_bytes.append(utf8);
    m_ends.push_back(quint32(m_bytes.size()));
}

void PackedTexts::squeeze()
{
    m_bytes.squeeze();
    m_ends.shrink_to_fit();
}

} // namespace core
