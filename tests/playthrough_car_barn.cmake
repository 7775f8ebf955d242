# The Cobble Hill car barn venues played through their dumped rectangles
# (tests/playthrough/car_barn_venue.cmake), each entered with its first-visit conversation heard.
if(COMMAND vardell_scripted_playthrough)
  vardell_scripted_playthrough(venue_barn_yard car_barn_venue -DSOURCE=${CMAKE_SOURCE_DIR}
    -DVENUE=TrolleyBarn_Yard -DFLAGS=113 -DOBJECTS=13 -DLISTED=12 -DHOTSPOTS=1)
  vardell_scripted_playthrough(venue_barn_office car_barn_venue -DSOURCE=${CMAKE_SOURCE_DIR}
    -DVENUE=TrolleyBarn_Office -DFLAGS=114 -DOBJECTS=10 -DLISTED=10 -DHOTSPOTS=0 -DBACK=TrolleyBarn_Yard
    -DSTRIP=Screwdriver,8,0,1)
  vardell_scripted_playthrough(venue_barn_shop_floor car_barn_venue -DSOURCE=${CMAKE_SOURCE_DIR}
    -DVENUE=TrolleyBarn_ShopFloor -DFLAGS=115 -DOBJECTS=23 -DLISTED=20 -DHOTSPOTS=2
    "-DSTRIP=Jewel,15,0,13\\;Code tag,4,1,1")
  vardell_scripted_playthrough(venue_crane_photo car_barn_venue -DSOURCE=${CMAKE_SOURCE_DIR}
    -DVENUE=House_Photo -DFLAGS=116 -DOBJECTS=9 -DLISTED=9 -DHOTSPOTS=0 -DBACK=TrolleyBarn_ShopFloor)
endif()
