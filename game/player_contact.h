#pragma once

// The player's side of touching entity `index`, tested before the entity moves:
// a hostile entity kills an unprotected player, a Dropping is collected. Uses the
// entity as it is even if its behaviour has just freed it.
void TestPlayerContact(int index, bool hostile);
