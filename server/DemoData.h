// Deterministic demo data: the same seed always gives the same database content.
#pragma once

#include <cstdint>

namespace kv::server {

class Database;

// Fills a freshly migrated, empty database.
void fillDemoData(Database& db, std::uint64_t seed, int items);
// The stock catalogue of `items` parts.
void fillDemoStock(Database& db, std::uint64_t seed, int items);

}  // namespace kv::server
