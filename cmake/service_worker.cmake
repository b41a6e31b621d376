# Writes the site's page and service worker from their templates: cmake
# -DSITE=DIR -DPAGE=DIR -DSHELL=a;b;... -P service_worker.cmake. The build is
# named by a hash of every file of the shell (the page's template for the
# page), so a changed file is a new build; the page names it in every address
# it asks for, so that no browser cache pairs files of two builds.
set(hashes "")
set(names "")
foreach(file IN LISTS SHELL)
    set(path ${SITE}/${file})
    if(file STREQUAL "index.html")
        set(path ${PAGE}/index.html)
    endif()
    file(SHA256 ${path} hash)
    string(APPEND hashes "${hash}  ${file}\n")
    list(APPEND names "'${file}'")
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING ${build} 0 16 BUILD)
list(JOIN names ", " SHELL)
configure_file(${PAGE}/index.html ${SITE}/index.html @ONLY)
configure_file(${PAGE}/service-worker.js ${SITE}/service-worker.js @ONLY)
