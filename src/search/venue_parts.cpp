#include "search/venue_parts.h"

#include "search/search_parts.h"

namespace {
VenueParts g_parts = DefaultVenueParts();
}

VenueParts& GetVenueParts() {
  return g_parts;
}

void ResetVenuePartsForTests() {
  g_parts = VenueParts{};
}
