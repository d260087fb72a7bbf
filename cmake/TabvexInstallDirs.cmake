# Where `cmake --install` and the Debian package put things, relative to the install
# prefix. The programs look for their installed files from their own folder, so the
# layout is the same under any prefix (/usr for the package, /usr/local by default).
set(TABVEX_INSTALL_BINDIR bin)
# The class registry and the program's odbcinst.ini: what a program in the build tree
# finds beside itself.
set(TABVEX_INSTALL_PROGRAM_FILES_DIR lib/tabvex)
# The workbook ODBC driver, where Debian keeps ODBC drivers (mdbtools' among them).
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(TABVEX_INSTALL_ODBC_DRIVER_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/odbc)
else()
  set(TABVEX_INSTALL_ODBC_DRIVER_DIR lib/odbc)
endif()
set(TABVEX_INSTALL_DOCDIR share/doc/tabvex)
set(TABVEX_INSTALL_MANUAL_DIR ${TABVEX_INSTALL_DOCDIR}/manual)

# The same places as the installed programs see them from bin, e.g. "../lib/tabvex".
file(RELATIVE_PATH TABVEX_PROGRAM_FILES_FROM_BIN /${TABVEX_INSTALL_BINDIR} /${TABVEX_INSTALL_PROGRAM_FILES_DIR})
file(RELATIVE_PATH TABVEX_MANUAL_FROM_BIN /${TABVEX_INSTALL_BINDIR} /${TABVEX_INSTALL_MANUAL_DIR})
