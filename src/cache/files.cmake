# Cache cleaning: the browser's URL cache, temporary files, Flash shared objects.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CacheRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TreeRules.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CacheCleaner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CacheLimit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DeleteTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UrlCache.cpp)
