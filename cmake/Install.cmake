# What `cmake --install` lays out and what CPack turns into a .deb. One application ID names the
# desktop entry, the icon and the AppStream file, so desktops can tie them together.
include(GNUInstallDirs)

set(LUMAVO_APP_ID io.github.lumavo.Calculator)
set(linux_dir ${PROJECT_SOURCE_DIR}/resources/linux)
set(app_icon ${PROJECT_SOURCE_DIR}/resources/icons/app.svg)

install(TARGETS lumavo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The published rates the rate pages fill from. The programs look beside themselves first, so a
# build runs with the copy made here; installed, they find it under share/lumavo.
set(rate_data ${PROJECT_SOURCE_DIR}/resources/rates/rates.csv)
configure_file(${rate_data} ${PROJECT_BINARY_DIR}/rates.csv COPYONLY)
install(FILES ${rate_data} DESTINATION ${CMAKE_INSTALL_DATADIR}/lumavo)
if(LUMAVO_BUILD_GUI)
    install(TARGETS lumavo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${linux_dir}/${LUMAVO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${linux_dir}/${LUMAVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${app_icon}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${LUMAVO_APP_ID}.svg)

    # Menus and docks that cannot draw SVG take the PNG sizes, rendered from the same drawing.
    find_program(RSVG_CONVERT rsvg-convert)
    set(LUMAVO_ICON_PNG_SIZES "")
    if(RSVG_CONVERT)
        set(LUMAVO_ICON_PNG_SIZES 16 24 32 48 64 128 256)
        set(pngs "")
        foreach(size ${LUMAVO_ICON_PNG_SIZES})
            set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/${LUMAVO_APP_ID}.png)
            add_custom_command(OUTPUT ${png}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
                COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${app_icon}
                DEPENDS ${app_icon} VERBATIM)
            list(APPEND pngs ${png})
            install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        endforeach()
        add_custom_target(app_icon_pngs ALL DEPENDS ${pngs})
    else()
        message(STATUS "rsvg-convert not found (librsvg2-bin): installing the SVG application icon only")
    endif()
endif()

# Manual pages are installed compressed, as Debian's man expects them.
set(man_page ${PROJECT_BINARY_DIR}/man/lumavo-cli.1.gz)
add_custom_command(OUTPUT ${man_page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c "gzip -9 -n -c '${PROJECT_SOURCE_DIR}/cli/lumavo-cli.1' > '${man_page}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/cli/lumavo-cli.1 VERBATIM)
add_custom_target(man_page ALL DEPENDS ${man_page})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# cpack -G DEB (or: cmake --build build --target package)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumavo)
set(CPACK_PACKAGE_VENDOR "Lumavo")
set(CPACK_PACKAGE_CONTACT "Lumavo 开发组")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mortgage calculator for Chinese home loans (Lumavo房贷按揭计算器)")
# The summary above is the first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Computes the complete monthly repayment schedule of a commercial, housing
provident fund or combination loan under equal installment (等额本息) and equal
principal (等额本金), with fixed or per-year floating rates and early
repayments. Includes lumavo-cli, which computes the same schedules from an
input backup file for scripts.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lumavo.github.io/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps finds libxlsxwriter4 (the .xlsx workbook), libminizip1 and libexpat1 (reading a
# bank's .xlsx records) and Qt Print Support from the links.
# Added to what it finds: the SVG plugin draws the toolbar but is loaded at run time,
# so no link records it; Qt's Chinese translation puts its buttons and dialogs in the program's
# language; without a CJK font every caption is a row of boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6svg6, qt6-translations-l10n, fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei")
include(CPack)
