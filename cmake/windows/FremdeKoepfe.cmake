# A folder of links to the header-only libraries of the build machine, and nothing else of its
# /usr/include, for the Windows cross build. KWT_FREMDE_KOEPFE names it.
set(KWT_FREMDE_KOEPFE "${CMAKE_BINARY_DIR}/fremde-koepfe")
foreach(ordner CLI nlohmann boost)
  if(NOT EXISTS "${KWT_FREMDE_KOEPFE}/${ordner}")
    if(NOT IS_DIRECTORY "/usr/include/${ordner}")
      message(FATAL_ERROR "/usr/include/${ordner} fehlt: scripts/windows.sh installiert die Pakete.")
    endif()
    file(MAKE_DIRECTORY "${KWT_FREMDE_KOEPFE}")
    file(CREATE_LINK "/usr/include/${ordner}" "${KWT_FREMDE_KOEPFE}/${ordner}" SYMBOLIC)
  endif()
endforeach()
