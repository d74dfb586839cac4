#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace core {

// Texts end to end in one piece of UTF-8: a million names cost their letters and one offset
// each, where a list of strings would cost an object per name.
class PackedTexts
{
public:
    PackedTexts() = default;
    explicit PackedTexts(const QStringList &texts);

    void reserve(qsizetype texts, qsizetype bytes);
    void append(QByteArrayView utf8);
    // Gives back the room kept for growing, once all are in.
    void squeeze();
    qsizetype size() const { return qsizetype(m_ends.size()); }
    qsizetype bytes() const { return m_bytes.size(); }
    QByteArrayView utf8(qsizetype at) const
    {
        const quint32 from = at == 0 ? 0 : m_ends[size_t(at) - 1];
        return {m_bytes.constData() + from, qsizetype(m_ends[size_t(at)] - from)};
    }
    QString text(qsizetype at) const { return QString::fromUtf8(utf8(at)); }

private:
    QByteArray m_bytes;
    std::vector<quint32> m_ends;
};

} // namespace core
