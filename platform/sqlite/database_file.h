#pragma once

#include <string_view>

namespace tidora::sqlite {

// Whether the file starts with SQLite's header, read through SQLite's own file layer so that
// the name means the same as to sqlite3_open. False for a missing or unreadable file.
bool StartsAsDatabase(std::string_view path);

// Whether another connection holds a lock on the database that a writer would wait for. A probe
// that may write climbs SQLite's lock ladder to exclusive and drops it again at once; one that
// may not opens the file for reading, takes a shared lock and asks whether another holds a
// writer's: a reader's shared lock escapes it.
bool LockedByAnother(std::string_view path, bool may_write);

}  // namespace tidora::sqlite
