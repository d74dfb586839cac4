#pragma once

namespace bench {

// Times, on the kennel in the working folder, a rename saved on the dog records screen that
// carries a stud's 500 offspring and 200 matings, a merge of two records of one dog, and the
// search for likely duplicates.
void benchLinkedRecords();

} // namespace bench
