# Writes the site's service worker from its template: cmake -DSITE=DIR
# -DTEMPLATE=FILE -DSHELL=a;b;... -P service_worker.cmake. Its cache is named by
# a hash of every file of the shell, so a changed file is a new build.
set(hashes "")
set(names "")
foreach(file IN LISTS SHELL)
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND hashes "${hash}  ${file}\n")
    list(APPEND names "'${file}'")
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING ${build} 0 16 BUILD)
list(JOIN names ", " SHELL)
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
