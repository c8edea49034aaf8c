// Who plays player 2: a person, or the computer at level 1 to 3, as the player last chose it
// on this browser. It is given to the game as its settings when a game starts.
'use strict';

const opponentKind = document.getElementById('opponent-kind');
const opponentLevelPart = document.getElementById('opponent-level-part');
const opponentLevel = document.getElementById('opponent-level');

const OPPONENT_KEY = 'kestrola-opponent';
function storedOpponent() {
  try {
    const stored = window.localStorage.getItem(OPPONENT_KEY);
    return /^(person|computer [123])$/.test(stored || '') ? stored : 'person';
  } catch (error) {
    return 'person'; // storage refused: the choice lasts as long as the page
  }
}
let opponent = storedOpponent();
function opponentChoice() {
  return opponent;
}
function opponentSettings() {
  if (!opponent.startsWith('computer')) return {};
  return {KESTROLA_COMPUTER: '2', KESTROLA_COMPUTER_LEVEL: opponent.slice(-1)};
}
function showOpponent() {
  const computer = opponent.startsWith('computer');
  opponentKind.textContent = computer ? 'the computer' : 'a person';
  opponentLevel.textContent = 'level ' + (computer ? opponent.slice(-1) : '2');
  opponentLevelPart.hidden = !computer;
}
function chooseOpponent(choice) {
  opponent = choice;
  try {
    window.localStorage.setItem(OPPONENT_KEY, choice);
  } catch (error) {
    // kept for this visit only
  }
  showOpponent();
  fitToWindow();
}
opponentKind.addEventListener('click', function () {
  chooseOpponent(opponent.startsWith('computer') ? 'person' : 'computer 2');
});
opponentLevel.addEventListener('click', function () {
  chooseOpponent('computer ' + (Number(opponent.slice(-1)) % 3 + 1));
});
showOpponent();

