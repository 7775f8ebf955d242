# The story's stage 2 (Lantern Street), from the street to the map to the car barn.
