// The least page with the page's kinds of controls: a field and a drawing
// that a click draws again in part.
const canvas = document.querySelector('canvas');
const drawing = canvas.getContext('2d');
drawing.fillStyle = '#a00';
drawing.fillRect(0, 0, 100, 49);
canvas.addEventListener('click', () => {
    drawing.fillStyle = drawing.fillStyle === '#aa0000' ? '#fff' : '#a00';
    drawing.fillRect(5, 13, 8, 19);
});
document.querySelector('input').focus();
document.documentElement.dataset.state = 'running';
navigator.serviceWorker.register('minimal-worker.js');
