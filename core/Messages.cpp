#include "core/Messages.h"

#include <QtGlobal>

namespace core {
namespace {
Messages *installed = nullptr;
} // namespace

Messages &Messages::instance()
{
    Q_ASSERT_X(installed, "Messages", "no message sink installed");
    return *installed;
}

void Messages::install(Messages *messages)
{
    installed = messages;
}

} // namespace core
