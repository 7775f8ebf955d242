#include "core/random.h"

Random& GameRandom() {
  static Random instance;
  return instance;
}
