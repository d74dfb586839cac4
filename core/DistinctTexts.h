#pragma once

#include "core/PackedTexts.h"

#include <vector>

namespace core {

// Texts kept once each, as they come: each new text is the next place, a text met before
// answers its place. Half a million matings name far fewer dams and sires.
class DistinctTexts
{
public:
    quint32 place(QByteArrayView utf8);
    // The texts in the order they came, without the table that finds them.
    PackedTexts take();

private:
    void grow();

    PackedTexts m_texts;
    // Open addressing: the hash's high half beside the place + 1 (0: free), so that most
    // other texts are passed by without reading them.
    std::vector<quint64> m_slots;
};

} // namespace core
