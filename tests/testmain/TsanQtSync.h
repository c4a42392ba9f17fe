#pragma once
// Thread sanitizer builds only (TsanQtSync.cpp): lets the sanitizer see the toolkit's
// hand-overs between threads (posted calls, a QThread's end and its wait).

namespace prt::test {

// Called once at the start of every test program, before any event is delivered.
void InstallTsanQtSync();

} // namespace prt::test
