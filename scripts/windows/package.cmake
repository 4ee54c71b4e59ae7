# make windows: the installer (NSIS) and the portable zip, for 64-bit Windows.
# Both hold the same things: Orvanto.exe (the windows), orvanto.com (the same
# program for a command prompt, which waits for it and gets its exit code), the
# guide with its pictures and the example files.

set(CPACK_GENERATOR NSIS)
# Values written to CPack's configuration as they are: "${U+00E9}" stays NSIS's.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Orvanto)
set(CPACK_PACKAGE_FILE_NAME Orvanto-${ORVANTO_DISPLAY_VERSION}-win64-setup)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Orvanto)
set(CPACK_PACKAGE_EXECUTABLES Orvanto Orvanto)
# The programs sit at the top of the install folder, where the shortcuts point.
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
# A desktop shortcut, offered on the options page (unticked), and the folder
# added to PATH if asked, so that `orvanto --course` works in any prompt.
set(CPACK_CREATE_DESKTOP_LINKS Orvanto)
set(CPACK_NSIS_MODIFY_PATH ON)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# The installer's name is also its Start-menu folder's: "Orvanto", no version.
set(CPACK_NSIS_PACKAGE_NAME Orvanto)
set(CPACK_NSIS_DISPLAY_NAME Orvanto)
set(CPACK_NSIS_INSTALLED_ICON_NAME Orvanto.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/ui/icon/orvanto.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/ui/icon/orvanto.ico)
# NSIS reads its script in the machine's code page: accented letters as escapes.
set(CPACK_NSIS_UNINSTALL_NAME "D\${U+00E9}sinstaller Orvanto")
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_DEFINES "Target amd64-unicode")

# The installer's layout: the programs at the top of their folder, with the mark
# that sends an installed copy's list to %APPDATA%\Orvanto; the guide with its
# pictures; the examples.
install(TARGETS Orvanto orvanto_console RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/scripts/windows/installe.txt DESTINATION .)
install(FILES ${ORVANTO_GUIDE_FILES} DESTINATION guide)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/exemples DESTINATION .)

# The installer speaks French only: CPack's own template with French as its
# only language (it offers some forty, English first), no licence page (CPack's
# is an English placeholder), the options page's texts in French.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis)
string(REGEX REPLACE "  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n" "" nsis "${nsis}")
string(REPLACE ";Languages\n" ";Languages\n  !insertmacro MUI_LANGUAGE \"French\"\n" nsis
               "${nsis}")
string(REPLACE "@CPACK_NSIS_LICENSE_PAGE@" "" nsis "${nsis}")
string(REPLACE "\\Uninstall.lnk" "\\@CPACK_NSIS_UNINSTALL_NAME@.lnk" nsis "${nsis}")
# The PATH gets the programs' own folder.
string(REPLACE "Push $INSTDIR\\bin\n" "Push $INSTDIR\n" nsis "${nsis}")
string(REPLACE "\"Warning! PATH too long installer unable to modify PATH!\""
               "\"Le PATH est trop long : l'installateur ne peut pas le modifier.\"" nsis "${nsis}")
string(REPLACE "\"Uninstall failed.\"" "\"La d\${U+00E9}sinstallation a \${U+00E9}chou\${U+00E9}.\""
               nsis "${nsis}")
# The size Windows shows in its list of programs.
string(REPLACE "@CPACK_NSIS_DEFINES@" "@CPACK_NSIS_DEFINES@\n!include FileFunc.nsh" nsis "${nsis}")
set(size [=[
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@" "EstimatedSize" "$0"
@CPACK_NSIS_EXTRA_INSTALL_COMMANDS@]=])
string(REPLACE "@CPACK_NSIS_EXTRA_INSTALL_COMMANDS@" "${size}" nsis "${nsis}")
set(options [=[
  !insertmacro MUI_HEADER_TEXT "Options d'installation" "Raccourcis et invite de commandes"
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 1" "Text" "La commande orvanto (orvanto --course, --importer...) peut se taper dans toute invite de commandes si son dossier est dans le PATH."
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 2" "Text" "Ne pas ajouter Orvanto au PATH"
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 3" "Text" "Ajouter Orvanto au PATH de tous les utilisateurs"
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 4" "Text" "Ajouter Orvanto au PATH de l'utilisateur actuel"
  !insertmacro MUI_INSTALLOPTIONS_WRITE "NSIS.InstallOptions.ini" "Field 5" "Text" "Cr${U+00E9}er un raccourci sur le Bureau"
]=])
string(REGEX REPLACE "  !insertmacro MUI_HEADER_TEXT \"Install Options\"[^\n]*\n" "${options}" nsis
                     "${nsis}")
file(WRITE ${PROJECT_BINARY_DIR}/nsis/NSIS.template.in "${nsis}")
set(CPACK_MODULE_PATH ${PROJECT_BINARY_DIR}/nsis)
include(CPack)

# The portable zip: the same files, and a short French note instead of the
# installer's mark.
set(zipname Orvanto-${ORVANTO_DISPLAY_VERSION}-win64)
set(stage ${PROJECT_BINARY_DIR}/zip/${zipname})
add_custom_target(portable-zip
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${PROJECT_BINARY_DIR}/zip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/guide
    COMMAND ${CMAKE_STRIP} -o ${stage}/Orvanto.exe $<TARGET_FILE:Orvanto>
    COMMAND ${CMAKE_STRIP} -o ${stage}/orvanto.com $<TARGET_FILE:orvanto_console>
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/scripts/windows/LISEZMOI.txt ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${ORVANTO_GUIDE_FILES} ${stage}/guide
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/docs/exemples
            ${stage}/exemples
    COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/zip ${CMAKE_COMMAND} -E tar cf
            ${PROJECT_BINARY_DIR}/${zipname}.zip --format=zip ${zipname}
    DEPENDS Orvanto orvanto_console
    COMMENT "Packing ${zipname}.zip")
