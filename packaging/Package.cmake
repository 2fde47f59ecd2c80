# The Debian package, made by CPack from the install rules:
#   cpack --config build/package/CPackConfig.cmake   (scripts/package.sh does it)
# gives flexara_<version>_<arch>.deb. The shared libraries it needs come from
# dpkg-shlibdeps; the fonts of the fixed layout and of the report and Qt's
# Portuguese translations are loaded by name, so they are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME flexara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Flexara developers")
set(CPACK_PACKAGE_CONTACT "Seed 7dcbf53f maintainers <maintainers@users.noreply.c-seed-7dcbf53f.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reinforced-concrete section check under biaxial bending")
set(CPACK_PACKAGE_DESCRIPTION
    "Flexara checks a reinforced-concrete cross-section under an axial force with
bending about both axes. For the design axial force it computes the
ultimate-limit-state interaction curve of the section in the plane of the
design moments, draws it with the design point beside it, and so shows at a
glance whether the load lies inside the section's capacity.

The section is one of seven parametric shapes or a free polygon, with up to
100 lines of bars. Cases are kept as project files (*.fxr), which open from
the file manager. The interface is in Portuguese.

Load combinations are checked in one go, and a case goes out as a
calculation record in PDF. The package holds the desktop program flexara and
the batch tool flexara-cli, which checks, reports and draws a project file
without a window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://flexara.example.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS 
    "fonts-liberation2, fonts-dejavu-core, fonts-noto-core, fonts-noto-cjk, qt6-translations-l10n")
# xdg-mime, outside a desktop environment, reads the type of a file with the
# mimetype command: with it, a session without one also knows *.fxr.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libfile-mimeinfo-perl")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
