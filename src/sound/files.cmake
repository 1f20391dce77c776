# Sound muting: silencing a page process's own audio.
list(APPEND ZUVA_PORTABLE_SOURCES)
list(APPEND ZUVA_WIN32_SOURCES)
