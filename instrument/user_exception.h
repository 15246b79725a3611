#pragma once
// An instrument failure. It carries nothing: the status travels only through
// InstrumentSession::GetLastStatus, which also clears it.

struct UserException {};
