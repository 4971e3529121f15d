// Host stand-in for the system calls of OSUtils: a current NT system.
#include "core/OSUtils.h"

#include <cstdlib>

TOSVersion SystemVersion() {
  TOSVersion v;
  v.platformId = 2;
  v.major = 10;
  v.minor = 0;
  v.build = 0;
  return v;
}

std::string GetLoginUserName() {
  const char* user = std::getenv("USER");
  return user && *user ? std::string(user) : std::string("All Users");
}
