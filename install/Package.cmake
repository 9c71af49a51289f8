# The Debian package, made by CPack from the install rules (install/), as
# scripts/package.sh does: a stripped Release build installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane-dowsing)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Orvane Dowsing maintainers <maintainers@orvane.example>")
set(CPACK_PACKAGE_VENDOR "The Orvane Dowsing developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "diary of dowsings and the customers they were for")
# The long description, under the summary above; CPack indents its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Orvane Dowsing keeps a diary of dowsings: each record holds a customer's
details, where and when the dowsing took place, the tool used, the item
dowsed for and free notes. Records are entered on three pages, listed,
found and sorted, read as reports, printed, saved as Rich Text, and
exported to and imported from CSV files.
.
Each user's records live in one SQLite file of their own under
~/.local/share/orvane-dowsing, with a back-up for each of the last seven
days of use; removing or purging the package leaves them where they are.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.orvane.example/orvane-site/ssd.php?page=home-page")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# dpkg-shlibdeps finds the libraries the program links. Qt's SQLite driver
# is a plugin Qt loads by name at run time, which it cannot see; without it
# no record file opens.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
include(CPack)
