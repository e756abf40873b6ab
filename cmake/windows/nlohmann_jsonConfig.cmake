include("${CMAKE_CURRENT_LIST_DIR}/FremdeKoepfe.cmake")
kwt_fremde_koepfe(nlohmann_json::nlohmann_json)
set(nlohmann_json_FOUND TRUE)
