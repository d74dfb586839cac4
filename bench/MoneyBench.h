#pragma once

namespace bench {

// Times the waiting list, the accounts, the contracts and the year accounts on the kennel in
// the working folder with 20,000 contacts, 5,000 waiting-list entries and 200,000 entries of
// this year's accounts; what it adds is taken off again.
void benchMoney();

} // namespace bench
