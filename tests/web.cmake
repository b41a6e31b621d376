# The web tree: the end-to-end table against the page in Chromium, the
# phone's touch screen included, and in Firefox and WebKitGTK.
corvex_e2e(web --site ${CMAKE_BINARY_DIR}/site --skip qt --skip win --skip desk)
