# The Lantern Street and Grand Meridian venues played through their dumped rectangles
# (tests/playthrough/venue_clicks.cmake), each entered with its first-visit conversation already heard.
if(COMMAND vardell_venue_playthrough)
  vardell_venue_playthrough(venue_street -DSTAGE=2 -DFLAGS=107 -DVENUE=Shops_Street.xml -DMODE=hub)
  vardell_venue_playthrough(venue_curiosity_shop -DSTAGE=2 -DFLAGS=108 -DVENUE=Shops_CuriosityShop.xml
    -DMODE=closeup -DBACK=Shops_Street)
  vardell_venue_playthrough(venue_pizza_party -DSTAGE=2 -DFLAGS=109 -DVENUE=Shops_PizzaParty.xml -DMODE=closeup
    -DBACK=Shops_Street)
  vardell_venue_playthrough(venue_lobby -DSTAGE=2 -DFLAGS=110 -DVENUE=Hotel_Lobby.xml -DMODE=hub)
  vardell_venue_playthrough(venue_piano_inside -DSTAGE=2 -DFLAGS=111 -DVENUE=Hotel_PlayerPianoSearch.xml
    -DMODE=closeup -DBACK=Hotel_Lobby)
  vardell_venue_playthrough(venue_security_room -DSTAGE=2 -DFLAGS=112 -DVENUE=Hotel_SecurityRoom.xml -DMODE=hub)
endif()
