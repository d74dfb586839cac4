#pragma once

#include <QStringList>

namespace ui {

// The countries offered for a dog's country of birth, in their listed order.
QStringList dogCountries();
// The contact screens' variant: "HK China (Hong Kong S.A.R.)" right after "China".
QStringList contactCountries();
// The setup screen's variant: "HK China (Hong Kong S.A.R.)" right after "China", no
// "United States of America", and "Zimbabwe" last.
QStringList setupCountries();

} // namespace ui
