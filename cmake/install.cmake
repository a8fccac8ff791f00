# What an install delivers, and the Debian packages made from it (cpack -G DEB in the build folder): hartool with
# the dialogs (component gui) and, where the command-line program is built, hartool-cli without Qt (component
# cli), so that a server or a script host can have it without a desktop.

set(app_id org.hartool.Hartool)
set(hartool_contact "hartool developers <developers@hartool.org>")
set(hartool_packaging_dir ${CMAKE_BINARY_DIR}/packaging)

# hartool_install_gzipped(FILE DESTINATION COMPONENT [NAME]): installs FILE compressed as Debian wants manual pages
# and change logs (gzip -9n: no name or time stamp, so the bytes do not change from build to build).
function(hartool_install_gzipped file destination component)
    cmake_path(GET file FILENAME name)
    if(ARGC GREATER 3)
        set(name ${ARGV3})
    endif()
    set(out ${hartool_packaging_dir}/${component}/${name}.gz)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${hartool_packaging_dir}/${component}
        COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${file} ${out}
        DEPENDS ${file} VERBATIM)
    string(MAKE_C_IDENTIFIER "gz_${component}_${name}" target)
    add_custom_target(${target} ALL DEPENDS ${out})
    install(FILES ${out} DESTINATION ${destination} COMPONENT ${component})
endfunction()

# hartool_install_package_docs(COMPONENT PACKAGE): the copyright file and the change log every package carries.
function(hartool_install_package_docs component package)
    install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION share/doc/${package}
            COMPONENT ${component})
    hartool_install_gzipped(${PROJECT_SOURCE_DIR}/data/debian/changelog share/doc/${package} ${component})
endfunction()

set(hartool_components "")
if(HARTOOL_GUI)
    # Help looks for the read-me in ../share/hartool/ from the program, so the folders are fixed rather than taken
    # from GNUInstallDirs.
    install(TARGETS hartool RUNTIME DESTINATION bin COMPONENT gui)
    install(FILES ReadmeENG.TXT DESTINATION share/hartool COMPONENT gui)
    install(FILES data/${app_id}.desktop DESTINATION share/applications COMPONENT gui)
    install(FILES data/${app_id}.metainfo.xml DESTINATION share/metainfo COMPONENT gui)
    install(FILES data/icons/${app_id}.svg DESTINATION share/icons/hicolor/scalable/apps COMPONENT gui)
    # The PNGs are made from the SVG once and committed (rsvg-convert from librsvg2-bin does the SVG):
    #   for s in 16 32 48 64 128 256; do convert -background none -density 384 org.hartool.Hartool.svg \
    #       -resize ${s}x${s} -strip PNG32:$s/org.hartool.Hartool.png; done
    foreach(size 16 32 48 64 128 256)
        install(FILES data/icons/${size}/${app_id}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
                COMPONENT gui)
    endforeach()
    if(UNIX)
        hartool_install_gzipped(${PROJECT_SOURCE_DIR}/data/man/hartool.1 share/man/man1 gui)
        hartool_install_package_docs(gui hartool)
    endif()
    list(APPEND hartool_components gui)
endif()
if(TARGET hartool-cli)
    install(TARGETS hartool-cli RUNTIME DESTINATION bin COMPONENT cli)
    if(UNIX)
        hartool_install_gzipped(${PROJECT_SOURCE_DIR}/data/cli/hartool-cli.1 share/man/man1 cli)
        install(FILES ${PROJECT_SOURCE_DIR}/data/cli/hartool-cli.bash RENAME hartool-cli
                DESTINATION share/bash-completion/completions COMPONENT cli)
        hartool_install_package_docs(cli hartool-cli)
    endif()
    list(APPEND hartool_components cli)
endif()

set(CPACK_PACKAGE_NAME hartool)
set(CPACK_PACKAGE_VENDOR "hartool")
set(CPACK_PACKAGE_CONTACT "${hartool_contact}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mission, briefing and campaign tool for the helicopter simulation Harvane!")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${hartool_components})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${hartool_contact}")
# The libraries each program links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(hartool_about "\
 It works on the game's installation folder, usually inside a Wine prefix, and
 on the game's plain-text mission files: it makes the campaign missions
 editable with the game's battle builder and brings them back, saves the
 original campaign files and the crew data and restores them, and works on
 single missions and their briefings: extract, edit, create, copy, delete and
 attach briefings, draw briefing map graphics from a mission's units, routes
 and objectives, and copy, retitle and delete missions and change their side
 and nationality.")

# "utils", not "games": lintian reads the games section as games, installed in /usr/games; this is a tool for one.
set(CPACK_DEBIAN_GUI_PACKAGE_NAME hartool)
set(CPACK_DEBIAN_GUI_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_GUI_DESCRIPTION "\
mission, briefing and campaign tool for the game Harvane!
 A desktop utility for players of the helicopter combat simulation Harvane!.
${hartool_about}")
# Help opens the read-me with xdg-open.
set(CPACK_DEBIAN_GUI_PACKAGE_RECOMMENDS "xdg-utils")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME hartool-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_CLI_DESCRIPTION "\
command-line mission, briefing and campaign tool for Harvane!
 The operations of hartool as a program for scripts and the terminal, without
 Qt or a desktop: list, extract, attach and analyze briefings in batches,
 copy and delete missions, save and restore the originals and crew data.
${hartool_about}")
if("gui" IN_LIST hartool_components AND "cli" IN_LIST hartool_components)
    # Players of the desktop tool often script too; not needed to run it.
    set(CPACK_DEBIAN_GUI_PACKAGE_SUGGESTS "hartool-cli")
endif()
include(CPack)
