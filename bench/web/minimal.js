// The least page with the page's kinds of controls: a field and a drawing.
const drawing = document.querySelector('canvas').getContext('2d');
drawing.fillStyle = '#a00';
drawing.fillRect(0, 0, 100, 49);
document.querySelector('input').focus();
document.documentElement.dataset.state = 'running';
