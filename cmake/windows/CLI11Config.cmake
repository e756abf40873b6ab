include("${CMAKE_CURRENT_LIST_DIR}/FremdeKoepfe.cmake")
kwt_fremde_koepfe(CLI11::CLI11)
set(CLI11_FOUND TRUE)
