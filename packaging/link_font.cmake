# Install step: makes a.ttf in the data directory a link to the system's
# copy of the font instead of shipping a second one. Debian's policy wants
# the link relative when both ends lie in the same top-level directory
# (/usr here) and absolute otherwise; the choice is made against the real
# prefix, not DESTDIR, so a staged tree links as the installed one will.

set(data "${CMAKE_INSTALL_PREFIX}/${KITROVANE_DATA_DIR}")
string(REGEX MATCH "^/[^/]*" dataTop "${data}")
string(REGEX MATCH "^/[^/]*" fontTop "${KITROVANE_FONT}")
if(dataTop STREQUAL fontTop)
  file(RELATIVE_PATH target "${data}" "${KITROVANE_FONT}")
else()
  set(target "${KITROVANE_FONT}")
endif()

set(link "$ENV{DESTDIR}${data}/a.ttf")
message(STATUS "Installing: ${link} -> ${target}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${data}")
file(REMOVE "${link}")
file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")
