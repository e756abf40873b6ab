# Boost's header-only libraries (Boost.Math).
include("${CMAKE_CURRENT_LIST_DIR}/FremdeKoepfe.cmake")
kwt_fremde_koepfe(Boost::headers Boost::boost)
set(Boost_FOUND TRUE)
set(Boost_INCLUDE_DIRS "${KWT_FREMDE_KOEPFE}")
