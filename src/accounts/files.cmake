# What the launcher remembers of each account, by tab caption: the accounts a
# player muted and the zoom of their pages, in Statistic.ini.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AccountEntries.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MutedAccounts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RememberedAccounts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZoomedAccounts.cpp)
