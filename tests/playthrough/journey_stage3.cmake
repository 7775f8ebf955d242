# The story's stage 3 (the car barn), from the barn yard to the epilogue and the best-time list.
